#pragma once

#include "core/MapCellChange.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QFile>
#include <QList>
#include <QString>

class MapEditCommand;

// The journal of a cartridge's unsaved map edits. Every undo step that leaves
// the map modified is appended to it and flushed to disk before append()
// returns, so no way of leaving the program (Quit, the close box, loading
// another file, a crash, a killed process) loses an edit: the next load of
// the cartridge reads the journal back and offers its steps.
//
// A journal is a sequence of steps applied forward, in order, on top of the
// map as the cartridge file held it when the journal began. A step done or
// redone is recorded as itself, a step undone as its inverse (StepOf), so the
// journal never depends on the shape of the history: each step read back
// becomes one undo step again. Saving moves the base on: the journal is
// removed and the next modifying step begins a new one.
//
// One journal per cartridge, named by a hash of the cartridge's real path
// (links resolved) in DefaultFolder(); the real path is kept in its header too.
//
// An editing session uses it so:
//   - at a load: Read(path, image bytes, version). Valid: ask; to restore, push
//     each step as one undo step (without journaling them again: they are in
//     it), then resume(); to discard, remove(). SetAside or Unreadable: show
//     `message`. Whatever the answer, setSavedMap(image bytes).
//   - after each change of the history that leaves the map modified:
//     append(StepOf(command, undone)); a stroke once, when it ends.
//   - the history back at the saved state: remove(). Save Changes: remove(),
//     then setSavedMap(image bytes).
//   - loading another file, Quit: only destroy the writer; the journal stays.
//
// The file, numbers little-endian:
//   "ORVJRNL" and the format version, one byte (1)
//   a frame holding the header: u16 length + UTF-8 program version, u16 length
//     + UTF-8 real path of the cartridge, the 20-byte SHA-1 of the map range
//     (file offsets 16400..139279) as saved when the journal began, i64 time
//     it began in milliseconds since 1970-01-01 UTC
//   a frame for each step: u16 length + UTF-8 name ("Paint 12 Cells"),
//     u32 count, count times (u32 file offset, u8 before, u8 after)
// A frame is u32 n (the length of its body), u32 CRC-32 of those four bytes,
// the body (n bytes, at most 16 MiB), u32 CRC-32 of everything before it in
// the frame. Every frame is added whole by one write and flushed before the
// next one.
//
// Torn or damaged. Appends only ever add whole frames at the end, so a kill or
// a power loss in the middle of one leaves the file ending inside its last
// frame, and the frames before it complete. The reader calls the rest of the
// file after the last complete frame a torn tail, leaves it out and keeps the
// frames before it, when
//   - it is shorter than the 8 bytes of a frame's length and its check, or
//   - its length and the length's CRC agree, and the file ends before the
//     frame does, or
//   - it is all zero bytes (a file system can show a grown but never written
//     end as zeros after a power loss).
// Anything else that fails a check is damage, and the whole journal is set
// aside: a length whose CRC disagrees, a length over 16 MiB, a complete frame
// whose CRC disagrees, a body that does not parse to its last byte, a file
// that does not begin with the magic. A flipped bit never passes for a torn
// tail: it cannot shorten the file, and no length is trusted before its own
// check. A tail left out is never applied in any part.
class MapJournal {
public:
    // One undo step: its changes, applied forward in order.
    struct Step {
        QString name;  // the undo text it had, e.g. "Paint 12 Cells"
        MapCellChanges changes;

        friend bool operator==(const Step& a, const Step& b);
    };

    enum class Outcome {
        None,  // no journal: nothing to offer
        Valid,  // steps to offer
        SetAside,  // refused and renamed, nothing to offer; `message` says why and where it lies
        Unreadable,  // the journal could not be read; it stays where it is; `message` says why
    };
    enum class Refusal {
        None,
        Damaged,  // a check failed
        OtherFormat,  // a journal format this program does not read
        OtherVersion,  // written by another version of the program
        OtherFile,  // the header names another cartridge
        DoesNotFit,  // a step's "before" differs from the map byte it meets on replay
        Unfinished,  // no step was completed: the outcome is None, the file is set aside all the same
    };

    struct Reading {
        Outcome outcome = Outcome::None;
        Refusal refusal = Refusal::None;
        QString journalPath;
        // Valid: every complete step (never some of them), when the journal
        // began (UTC), and whether the map range on disk differs from the one
        // the journal began on (another program changed the file since).
        QList<Step> steps;
        QDateTime began;
        bool fileChanged = false;
        // An unfinished last frame was left out; the complete frames end at `completeLength`.
        bool tornTail = false;
        qint64 completeLength = 0;
        QByteArray savedMapHash;  // from the header
        // Refused: why, without the file names ("step 3 fails its check"); the
        // whole sentence naming both files; where the journal now lies (empty
        // when it could not be renamed; the sentence then says why).
        QString detail;
        QString message;
        QString setAsidePath;
    };

    // $XDG_STATE_HOME/orvane-map-editor (~/.local/state/orvane-map-editor).
    static QString DefaultFolder();
    // The cartridge's canonical path (links resolved); its absolute path when it does not exist.
    static QString RealPath(const QString& cartridgePath);
    // "<folder>/<SHA-1 of the real path, hex>.journal"; DefaultFolder() when `folder` is empty.
    static QString JournalPath(const QString& cartridgePath, const QString& folder = {});

    // Reads and checks the cartridge's journal against `currentMap` (the map
    // range as just loaded, CartridgeImage::bytes()). A journal refused for any
    // reason, and one with no completed step, is renamed to
    // "<journal>.<why>-<yyyyMMddTHHmmssZ>" in the same folder and never deleted.
    static Reading Read(const QString& cartridgePath, QByteArrayView currentMap, const QString& programVersion,
                        const QString& folder = {});
    // The checks of Read on the journal's bytes, without touching any file.
    static Reading Examine(QByteArrayView journal, const QString& realPath, QByteArrayView currentMap,
                           const QString& programVersion);

    // Applies `steps` to `map` (the map range, element 0 = file offset 16400),
    // checking every change's "before" against the byte it meets; at the first
    // misfit stops, says why in `misfit` and returns false (`map` is then partly changed).
    static bool Replay(const QList<Step>& steps, QByteArray& map, QString* misfit = nullptr);

    // A history command as a journal step: undone, as its inverse.
    static Step StepOf(const MapEditCommand& command, bool undone);

    // The file's bytes: what a journal begins with, and one step's frame.
    static QByteArray HeaderBytes(const QString& realPath, const QString& programVersion,
                                  const QByteArray& savedMapHash, const QDateTime& began);
    static QByteArray StepBytes(const Step& step);
    static QByteArray MapHash(QByteArrayView map);

    // The writer for one loaded cartridge. Nothing touches the disk before the
    // first append.
    MapJournal(const QString& cartridgePath, const QString& programVersion, const QString& folder = {});
    ~MapJournal();  // closes the file and leaves it where it is
    MapJournal(const MapJournal&) = delete;
    MapJournal& operator=(const MapJournal&) = delete;

    QString path() const { return m_path; }

    // The map range as the cartridge file holds it now: after a load and after
    // each save. A journal begun later records its hash.
    void setSavedMap(QByteArrayView map);

    // Adds one step and flushes it to disk before returning. The first append
    // creates the folder and the journal (an existing file of that name that
    // nobody resumed or removed is set aside as "superseded" first). On failure
    // the error names the file and the reason, the step is kept in memory and
    // goes out, in order, with the next append that succeeds; the file keeps
    // only whole steps meanwhile.
    bool append(const Step& step, QString* error);

    // Continues the journal `reading` (Valid, from Read) came from, after its
    // steps were restored: later appends follow them. A torn tail is not cut
    // off in place: the file is renamed aside as "torn" (kept as it was) and
    // the journal written anew with the complete steps.
    bool resume(const Reading& reading, QString* error);

    // Deletes the journal and forgets what was not written yet: after a save,
    // an undo back to the saved map, or the user's choice to discard it.
    bool remove(QString* error);

private:
    bool create(QString* error);
    bool writePending(QString* error);

    QString m_realPath;
    QString m_path;
    QString m_version;
    QByteArray m_savedMapHash;
    // Held open from the first append until remove() or the end of the editing
    // session: appends then cost one write and one flush, with no open, seek or
    // close. Nothing else ever writes to this file.
    QFile m_file;
    QByteArray m_header;  // what a journal created next begins with, when set by resume()
    QByteArray m_pending;  // frames not on disk yet (after a failed append)
    qint64 m_written = 0;  // bytes on disk that are whole frames
    bool m_cutBack = false;  // a failed write may have left part of a frame after m_written
};
