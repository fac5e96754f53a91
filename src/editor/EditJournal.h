#pragma once

#include <QObject>
#include <QString>

#include <memory>

class MapDocument;
class MapJournal;
class Platform;

// Keeps the unsaved map edits of the loaded cartridge in its journal (see
// core/MapJournal), so that no way of leaving the program or loading another
// file loses one: every step of the history that leaves the map modified is
// written and flushed before the next begins (a stroke once, when it ends);
// the journal goes when the map is saved or undone back to its saved state.
// At the next load of the cartridge it offers the edits back.
class EditJournal : public QObject {
    Q_OBJECT
public:
    EditJournal(MapDocument& document, Platform& platform, QObject* parent);
    ~EditJournal() override;

    // Where journals are kept; the user's state folder unless set.
    void setFolder(const QString& folder) { m_folder = folder; }

    // The cartridge at `path` was just loaded: journaling begins for it, and
    // the edits an earlier session left unsaved are offered back (restored as
    // undo steps, so the map is modified and not saved), or a journal that
    // cannot be applied whole is set aside with a message.
    void cartridgeLoaded(const QString& path);
    // The map was saved: the journal goes, and the saved map is its new base.
    void saved();
    // The user chose to lose the unsaved edits (a reload from disk, a patch
    // applied over them): the same, for the map as the file holds it now.
    void discard();

private:
    void historyChanged();
    void offer(const QString& path);

    MapDocument& m_document;
    Platform& m_platform;
    QString m_folder;
    std::unique_ptr<MapJournal> m_journal;
    int m_journaled = 0;  // the history's index the journal holds the map at
    bool m_restoring = false;
    bool m_warned = false;  // a failed write was reported since the load
};
