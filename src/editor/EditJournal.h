#pragma once

#include "core/MapJournal.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class MapDocument;
class Platform;

// Keeps the unsaved map edits of the loaded cartridge in its journal (see
// core/MapJournal), so that no way of leaving the program or loading another
// file loses one: every step of the history that leaves the map modified is
// written and flushed before the next begins (a stroke once, when it ends);
// the journal goes when the map is saved or undone back to its saved state.
// Steps that change no map byte (a location moved) are left out.
// At the next load of the cartridge it offers the edits back.
class EditJournal : public QObject {
    Q_OBJECT
public:
    EditJournal(MapDocument& document, Platform& platform, QObject* parent);
    ~EditJournal() override;

    // Where journals are kept; the user's state folder unless set.
    void setFolder(const QString& folder) { m_folder = folder; }

    // Before a load of `path` changes anything: the edits an earlier session
    // left unsaved for it are offered back (Restore, the default, or
    // Discard), and the answer waits for cartridgeLoaded(). False when the
    // user closed the question (Escape, the close box): the load is cancelled,
    // nothing changes and the journal stays, to be offered at the next load.
    // A journal that cannot be applied whole is set aside with a message.
    bool beforeLoad(const QString& path);
    // The cartridge at `path` was just loaded: journaling begins for it, the
    // file's map its base, and the answer beforeLoad() got is carried out
    // (restored as undo steps, so the map is modified and not saved, or the
    // journal removed).
    void cartridgeLoaded(const QString& path);
    // The map was saved: the journal goes, and the saved map is its new base.
    void saved();
    // The user chose to lose the unsaved edits (a reload from disk, a patch
    // applied over them): the same, for the map as the file holds it now.
    void discard();

private:
    // An answer to the question, with the journal read and the map it was read against.
    struct Answer {
        QString path;
        MapJournal::Reading reading;
        QByteArray map;
        bool restore = false;
    };

    void historyChanged();
    // The journal of `path` read against `map`; nothing when there is none to
    // offer, with a message when one was set aside or cannot be read.
    std::optional<MapJournal::Reading> read(const QString& path, const QByteArray& map);

    MapDocument& m_document;
    Platform& m_platform;
    QString m_folder;
    std::unique_ptr<MapJournal> m_journal;
    std::optional<Answer> m_answer;  // from beforeLoad(), until the load ends
    int m_journaled = 0;  // the history's index the journal holds the map at
    bool m_restoring = false;
    bool m_warned = false;  // a failed write was reported since the load
};
