#include "editor/EditJournal.h"

#include "core/CartridgeFile.h"
#include "core/MapDocument.h"
#include "core/NumberText.h"
#include "core/MapEditCommand.h"
#include "core/MapJournal.h"
#include "core/ProgramInfo.h"
#include "editor/Platform.h"

#include <QLocale>

#include <utility>

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

std::optional<MapJournal::Reading> EditJournal::read(const QString& path, const QByteArray& map)
{
    MapJournal::Reading reading = MapJournal::Read(path, map, QLatin1String(ProgramInfo::Version), m_folder);
    if (reading.outcome == MapJournal::Outcome::SetAside || reading.outcome == MapJournal::Outcome::Unreadable) {
        m_platform.message(Title, reading.message, Platform::Icon::Exclamation);
    }
    if (reading.outcome != MapJournal::Outcome::Valid) {
        return std::nullopt;
    }
    return reading;
}

bool EditJournal::beforeLoad(const QString& path)
{
    m_answer.reset();
    // The map as the load will read it; a file that cannot be read is the load's to report.
    const auto bytes = CartridgeFile::readAvailable(path, CartridgeImage::FirstIndex, CartridgeImage::Size, nullptr);
    if (!bytes) {
        return true;
    }
    CartridgeImage map;
    map.assign(*bytes);
    const auto reading = read(path, map.bytes());
    if (!reading) {
        return true;
    }
    QString text = NumberText::Counted(
                       reading->steps.size(),
                       QStringLiteral("\"%2\" has %1 map edit from %3 that was never saved (the editor was closed or "
                                      "stopped before it was).\r\n\r\nRestore it? It comes back as a step you can "
                                      "undo; the file itself changes only with \"Save Changes\"."),
                       QStringLiteral("\"%2\" has %1 map edits from %3 that were never saved (the editor was closed "
                                      "or stopped before they were).\r\n\r\nRestore them? They come back as steps "
                                      "you can undo; the file itself changes only with \"Save Changes\"."))
                       .arg(path, QLocale().toString(reading->began.toLocalTime(), QLocale::ShortFormat));
    if (reading->tornTail) {
        // Steps are written whole and in order: only the last one can be unfinished.
        text += QStringLiteral("\r\n\r\nThe editor was stopped while it wrote the last edit down: 1 step was left "
                               "out.");
    }
    if (reading->fileChanged) {
        text += QStringLiteral("\r\n\r\nThe file's map has changed on disk since those edits began; restored, they "
                               "go over the map as it is now.");
    }
    text += QStringLiteral("\r\n\r\nClosing this question loads nothing and keeps the edits for the next load.");
    const int answer = m_platform.choice(Title, text, {QStringLiteral("&Restore"), QStringLiteral("&Discard")}, 0);
    if (answer == Platform::Cancelled) {
        return false;
    }
    m_answer = Answer{path, *reading, map.bytes(), answer == 0};
    return true;
}

void EditJournal::cartridgeLoaded(const QString& path)
{
    // The journal of the cartridge loaded before stays on disk, for its next load.
    m_journal = std::make_unique<MapJournal>(path, QLatin1String(ProgramInfo::Version), m_folder);
    m_journaled = m_document.undoStack().index();
    m_warned = false;
    // The base of every journal is the map as the file holds it, also after a restore.
    m_journal->setSavedMap(m_document.image().bytes());
    std::optional<Answer> answer = std::exchange(m_answer, std::nullopt);
    if (!answer || answer->path != path) {
        return;
    }
    if (answer->map != m_document.image().bytes()) {
        // The file changed while the question waited: the answer goes to the journal read against the map loaded.
        const auto reading = read(path, m_document.image().bytes());
        if (!reading) {
            return;
        }
        answer->reading = *reading;
    }
    QString error;
    if (answer->restore) {
        m_restoring = true;
        for (const MapJournal::Step& step : answer->reading.steps) {
            m_document.restoreStep(step.name, step.changes);
        }
        m_restoring = false;
        m_journaled = m_document.undoStack().index();
        if (!m_journal->resume(answer->reading, &error)) {
            m_platform.message(Title, error, Platform::Icon::Exclamation);
        }
    } else if (!m_journal->remove(&error)) {
        m_platform.message(Title, error, Platform::Icon::Exclamation);
    }
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
    if (!m_document.isModified()) {
        written = m_journal->remove(&error);
    } else {
        // Only the map's steps: a location step was written to the file when it was done.
        const auto step = [&history](int i) { return dynamic_cast<const MapEditCommand*>(history.command(i)); };
        for (int i = m_journaled; written && i < index; ++i) {
            if (const MapEditCommand* done = step(i)) {
                written = m_journal->append(MapJournal::StepOf(*done, false), &error);
            }
        }
        for (int i = m_journaled - 1; written && i >= index; --i) {
            if (const MapEditCommand* undone = step(i)) {
                written = m_journal->append(MapJournal::StepOf(*undone, true), &error);
            }
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
