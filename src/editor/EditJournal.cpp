#include "editor/EditJournal.h"

#include "core/MapDocument.h"
#include "core/MapEditCommand.h"
#include "core/MapJournal.h"
#include "core/ProgramInfo.h"
#include "editor/Platform.h"

#include <QLocale>

namespace {

const QString Title = QStringLiteral("Unsaved map edits");

}  // namespace

EditJournal::EditJournal(MapDocument& document, Platform& platform, QObject* parent)
    : QObject(parent), m_document(document), m_platform(platform)
{
    connect(&m_document.undoStack(), &QUndoStack::indexChanged, this, &EditJournal::historyChanged);
    connect(&m_document.undoStack(), &QUndoStack::cleanChanged, this, &EditJournal::historyChanged);
    connect(&m_document, &MapDocument::strokeEnded, this, &EditJournal::historyChanged);
}

EditJournal::~EditJournal() = default;

void EditJournal::cartridgeLoaded(const QString& path)
{
    // The journal of the cartridge loaded before stays on disk, for its next load.
    m_journal = std::make_unique<MapJournal>(path, QLatin1String(ProgramInfo::Version), m_folder);
    m_journaled = m_document.undoStack().index();
    m_warned = false;
    offer(path);
    m_journal->setSavedMap(m_document.image().bytes());
}

void EditJournal::offer(const QString& path)
{
    const MapJournal::Reading reading =
        MapJournal::Read(path, m_document.image().bytes(), QLatin1String(ProgramInfo::Version), m_folder);
    if (reading.outcome == MapJournal::Outcome::SetAside || reading.outcome == MapJournal::Outcome::Unreadable) {
        m_platform.message(Title, reading.message, Platform::Icon::Exclamation);
        return;
    }
    if (reading.outcome != MapJournal::Outcome::Valid) {
        return;
    }
    QStringList text{QStringLiteral("\"%1\" has %2 map edits from %3 that were never saved (the editor was closed "
                                    "or stopped before they were).")
                         .arg(path, QString::number(reading.steps.size()),
                              QLocale().toString(reading.began.toLocalTime(), QLocale::ShortFormat)),
                     QStringLiteral("Restore them? They come back as steps you can undo; the file itself changes "
                                    "only with \"Save Changes\".")};
    if (reading.fileChanged) {
        text << QStringLiteral("The file's map has changed on disk since those edits began; restored, they go over "
                               "the map as it is now.");
    }
    const int answer =
        m_platform.choice(Title, Platform::Paragraphs(text), {QStringLiteral("&Restore"), QStringLiteral("&Discard")});
    QString error;
    if (answer == 0) {
        m_restoring = true;
        for (const MapJournal::Step& step : reading.steps) {
            m_document.restoreStep(step.name, step.changes);
        }
        m_restoring = false;
        m_journaled = m_document.undoStack().index();
        if (!m_journal->resume(reading, &error)) {
            m_platform.message(Title, error, Platform::Icon::Exclamation);
        }
    } else if (answer == 1 && !m_journal->remove(&error)) {
        m_platform.message(Title, error, Platform::Icon::Exclamation);
    }
    // Closed without an answer: the journal stays; a new edit sets it aside.
}

void EditJournal::saved()
{
    if (m_journal) {
        QString error;
        m_journal->remove(&error);
        m_journal->setSavedMap(m_document.image().bytes());
        m_journaled = m_document.undoStack().index();
    }
}

void EditJournal::discard()
{
    saved();
}

void EditJournal::historyChanged()
{
    // A stroke is written once it ends; restored steps are in the journal
    // already; a history emptied by a load is the next cartridge's.
    const QUndoStack& history = m_document.undoStack();
    if (!m_journal || m_restoring || m_document.isStrokeOpen() || history.count() == 0) {
        return;
    }
    const int index = history.index();
    QString error;
    bool written = true;
    if (history.isClean()) {
        written = m_journal->remove(&error);
    } else {
        const auto step = [&history](int i) { return static_cast<const MapEditCommand*>(history.command(i)); };
        for (int i = m_journaled; written && i < index; ++i) {
            written = m_journal->append(MapJournal::StepOf(*step(i), false), &error);
        }
        for (int i = m_journaled - 1; written && i >= index; --i) {
            written = m_journal->append(MapJournal::StepOf(*step(i), true), &error);
        }
    }
    m_journaled = index;
    if (!written && !m_warned) {
        m_warned = true;
        m_platform.message(Title,
                           Platform::Paragraphs({QStringLiteral("Unsaved map edits cannot be kept safe from a "
                                                                "crash: ") +
                                                     error,
                                                 QStringLiteral("They are still in the editor; \"Save Changes\" "
                                                                "writes them to the cartridge.")}),
                           Platform::Icon::Exclamation);
    }
}
