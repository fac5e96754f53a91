#include "core/MapJournal.h"

#include "core/CartridgeImage.h"
#include "core/Crc32.h"
#include "core/MapEditCommand.h"
#include "core/ProgramInfo.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

constexpr QByteArrayView Magic("ORVJRNL");
constexpr quint8 FormatVersion = 1;
constexpr qsizetype MagicSize = 8;  // the magic and the format version
constexpr qsizetype LengthSize = 8;  // a frame's length and its check
constexpr qsizetype FrameOverhead = LengthSize + 4;
constexpr quint32 MaxBody = 16 * 1024 * 1024;
constexpr qsizetype ChangeSize = 6;

void setError(QString* error, const QString& text)
{
    if (error) {
        *error = text;
    }
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

template <typename T> void put(QByteArray& out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

void putText(QByteArray& out, const QString& text)
{
    const QByteArray utf8 = text.toUtf8().left(0xFFFF);
    put<quint16>(out, static_cast<quint16>(utf8.size()));
    out.append(utf8);
}

quint32 get32(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

QByteArray frame(const QByteArray& body)
{
    QByteArray out;
    out.reserve(FrameOverhead + body.size());
    put<quint32>(out, static_cast<quint32>(body.size()));
    put<quint32>(out, Crc32::Of(out));
    out.append(body);
    put<quint32>(out, Crc32::Of(out));
    return out;
}

// Reads a frame's body field by field; any read past its end, or bytes left
// over at the end, make it malformed.
class BodyReader {
public:
    explicit BodyReader(QByteArrayView body) : m_body(body) {}

    template <typename T> T number()
    {
        const QByteArrayView bytes = take(sizeof(T));
        return bytes.isEmpty() ? T{} : qFromLittleEndian<T>(bytes.data());
    }
    QString text() { return QString::fromUtf8(take(number<quint16>())); }
    QByteArrayView take(qsizetype n)
    {
        if (!m_ok || n > m_body.size() - m_at) {
            m_ok = false;
            return {};
        }
        m_at += n;
        return m_body.sliced(m_at - n, n);
    }
    qsizetype left() const { return m_body.size() - m_at; }
    bool whole() const { return m_ok && m_at == m_body.size(); }

private:
    QByteArrayView m_body;
    qsizetype m_at = 0;
    bool m_ok = true;
};

struct Frame {
    enum class Kind { Complete, End, Torn, Damaged } kind;
    QByteArrayView body;
    qsizetype next = 0;
    QString damage;
};

bool allZero(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char b) { return b == 0; });
}

// The frame at `at`; see the header for what counts as torn and as damaged.
Frame readFrame(QByteArrayView file, qsizetype at)
{
    const qsizetype left = file.size() - at;
    if (left == 0) {
        return {Frame::Kind::End, {}, at, {}};
    }
    if (left < LengthSize || allZero(file.sliced(at))) {
        return {Frame::Kind::Torn, {}, at, {}};
    }
    const quint32 length = get32(file, at);
    if (Crc32::Of(file.sliced(at, 4)) != get32(file, at + 4)) {
        return {Frame::Kind::Damaged, {}, at, QStringLiteral("its length fails its check")};
    }
    if (length > MaxBody) {
        return {Frame::Kind::Damaged, {}, at, QStringLiteral("is %1 bytes long, more than any can be").arg(length)};
    }
    if (left < FrameOverhead + qsizetype(length)) {
        return {Frame::Kind::Torn, {}, at, {}};
    }
    if (Crc32::Of(file.sliced(at, LengthSize + length)) != get32(file, at + LengthSize + length)) {
        return {Frame::Kind::Damaged, {}, at, QStringLiteral("fails its check")};
    }
    return {Frame::Kind::Complete, file.sliced(at + LengthSize, length), at + FrameOverhead + length, {}};
}

std::optional<MapJournal::Step> readStep(QByteArrayView body)
{
    BodyReader in(body);
    MapJournal::Step step;
    step.name = in.text();
    const quint32 count = in.number<quint32>();
    if (in.left() != qsizetype(count) * ChangeSize) {
        return std::nullopt;
    }
    step.changes.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        MapCellChange change;
        change.index = static_cast<qint32>(in.number<quint32>());
        change.before = in.number<quint8>();
        change.after = in.number<quint8>();
        step.changes.append(change);
    }
    return step;
}

QString hex(quint32 value, int digits)
{
    return QStringLiteral("0x") + QString::number(value, 16).toUpper().rightJustified(digits, u'0');
}

QString stamp()
{
    return QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

// Renames `path` to "<path>.<why>-<time>", adding "-2", "-3"... when that name
// is taken (a rename never replaces a file); the new path, or empty with `error`.
QString setAside(const QString& path, const QString& why, QString* error)
{
    const QString base = path + u'.' + why + u'-' + stamp();
    QString target = base;
    for (int n = 2; QFileInfo::exists(target) || QFileInfo(target).isSymLink(); ++n) {
        target = base + u'-' + QString::number(n);
    }
    QFile file(path);
    if (file.rename(target)) {
        return target;
    }
    setError(error, QStringLiteral("The journal of unsaved map edits \"%1\" could not be set aside as \"%2\": %3.")
                        .arg(path, target, file.errorString()));
    return {};
}

QString asideWord(MapJournal::Refusal refusal)
{
    switch (refusal) {
    case MapJournal::Refusal::Damaged: return QStringLiteral("damaged");
    case MapJournal::Refusal::OtherFormat: return QStringLiteral("other-format");
    case MapJournal::Refusal::OtherVersion: return QStringLiteral("other-version");
    case MapJournal::Refusal::OtherFile: return QStringLiteral("other-file");
    case MapJournal::Refusal::DoesNotFit: return QStringLiteral("not-fitting");
    case MapJournal::Refusal::Unfinished: return QStringLiteral("unfinished");
    case MapJournal::Refusal::None: break;
    }
    return QStringLiteral("set-aside");
}

// Makes the folder's new entries last through a power loss.
void syncFolder(const QString& folder)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

}  // namespace

bool operator==(const MapJournal::Step& a, const MapJournal::Step& b)
{
    return a.name == b.name && std::equal(a.changes.begin(), a.changes.end(), b.changes.begin(), b.changes.end(),
                                          [](const MapCellChange& x, const MapCellChange& y) {
                                              return x.index == y.index && x.before == y.before && x.after == y.after;
                                          });
}

QString MapJournal::DefaultFolder()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
    const QString state = QStandardPaths::writableLocation(QStandardPaths::GenericStateLocation);
#else
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state)) {
        state = QDir::homePath() + QStringLiteral("/.local/state");
    }
#endif
    return state + u'/' + QLatin1String(ProgramInfo::FileName);
}

QString MapJournal::RealPath(const QString& cartridgePath)
{
    const QFileInfo info(cartridgePath);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

QString MapJournal::JournalPath(const QString& cartridgePath, const QString& folder)
{
    const QByteArray hash = QCryptographicHash::hash(RealPath(cartridgePath).toUtf8(), QCryptographicHash::Sha1);
    return (folder.isEmpty() ? DefaultFolder() : folder) + u'/' + QString::fromLatin1(hash.toHex()) +
           QStringLiteral(".journal");
}

QByteArray MapJournal::MapHash(QByteArrayView map)
{
    return QCryptographicHash::hash(map, QCryptographicHash::Sha1);
}

QByteArray MapJournal::HeaderBytes(const QString& realPath, const QString& programVersion,
                                   const QByteArray& savedMapHash, const QDateTime& began)
{
    QByteArray body;
    putText(body, programVersion);
    putText(body, realPath);
    body.append(savedMapHash.leftJustified(20, '\0', true));
    put<qint64>(body, began.toMSecsSinceEpoch());
    QByteArray out = Magic.toByteArray();
    out.append(static_cast<char>(FormatVersion));
    return out + frame(body);
}

QByteArray MapJournal::StepBytes(const Step& step)
{
    QByteArray body;
    body.reserve(2 + step.name.size() * 3 + 4 + step.changes.size() * ChangeSize);
    putText(body, step.name);
    put<quint32>(body, static_cast<quint32>(step.changes.size()));
    for (const MapCellChange& change : step.changes) {
        put<quint32>(body, static_cast<quint32>(change.index));
        put<quint8>(body, change.before);
        put<quint8>(body, change.after);
    }
    return frame(body);
}

MapJournal::Step MapJournal::StepOf(const MapEditCommand& command, bool undone)
{
    Step step{command.text(), command.changes()};
    if (undone) {
        for (MapCellChange& change : step.changes) {
            std::swap(change.before, change.after);
        }
    }
    return step;
}

bool MapJournal::Replay(const QList<Step>& steps, QByteArray& map, QString* misfit)
{
    for (int s = 0; s < steps.size(); ++s) {
        for (const MapCellChange& change : steps[s].changes) {
            const qint64 at = qint64(change.index) - CartridgeImage::FirstIndex;
            const bool inside = at >= 0 && at < map.size();
            if (inside && static_cast<quint8>(map[at]) == change.before) {
                map[at] = static_cast<char>(change.after);
                continue;
            }
            const QString where = hex(static_cast<quint32>(change.index), 5);
            setError(misfit,
                     inside ? QStringLiteral("step %1 expects %2 at file offset %3, but the map holds %4 there")
                                  .arg(s + 1)
                                  .arg(hex(change.before, 2), where, hex(static_cast<quint8>(map[at]), 2))
                            : QStringLiteral("step %1 changes file offset %2, outside the map").arg(s + 1).arg(where));
            return false;
        }
    }
    return true;
}

MapJournal::Reading MapJournal::Examine(QByteArrayView journal, const QString& realPath, QByteArrayView currentMap,
                                        const QString& programVersion)
{
    Reading r;
    const auto refuse = [&r](Refusal refusal, const QString& detail) {
        r.outcome = refusal == Refusal::Unfinished ? Outcome::None : Outcome::SetAside;
        r.refusal = refusal;
        r.detail = detail;
        r.steps.clear();
        r.tornTail = false;
        return r;
    };
    const QString unfinished = QStringLiteral("no step in it was completed");

    if (allZero(journal) || (journal.size() < MagicSize && Magic.startsWith(journal))) {
        return refuse(Refusal::Unfinished, unfinished);
    }
    if (journal.size() < MagicSize || !journal.startsWith(Magic)) {
        return refuse(Refusal::Damaged, QStringLiteral("it is not a journal of map edits"));
    }
    if (static_cast<quint8>(journal[MagicSize - 1]) != FormatVersion) {
        return refuse(Refusal::OtherFormat, QStringLiteral("it is in journal format %1; this program reads format %2")
                                                .arg(static_cast<quint8>(journal[MagicSize - 1]))
                                                .arg(FormatVersion));
    }

    const Frame header = readFrame(journal, MagicSize);
    if (header.kind == Frame::Kind::Damaged) {
        return refuse(Refusal::Damaged, QStringLiteral("its header ") + header.damage);
    }
    if (header.kind != Frame::Kind::Complete) {
        return refuse(Refusal::Unfinished, unfinished);
    }
    BodyReader in(header.body);
    const QString version = in.text();
    const QString path = in.text();
    r.savedMapHash = in.take(20).toByteArray();
    r.began = QDateTime::fromMSecsSinceEpoch(in.number<qint64>(), Qt::UTC);
    if (!in.whole()) {
        return refuse(Refusal::Damaged, QStringLiteral("its header is malformed"));
    }

    qsizetype at = header.next;
    for (;;) {
        const Frame f = readFrame(journal, at);
        if (f.kind == Frame::Kind::Damaged) {
            return refuse(Refusal::Damaged, QStringLiteral("step %1 ").arg(r.steps.size() + 1) + f.damage);
        }
        if (f.kind != Frame::Kind::Complete) {
            r.tornTail = f.kind == Frame::Kind::Torn;
            break;
        }
        const auto step = readStep(f.body);
        if (!step) {
            return refuse(Refusal::Damaged, QStringLiteral("step %1 is malformed").arg(r.steps.size() + 1));
        }
        r.steps.append(*step);
        at = f.next;
    }
    r.completeLength = at;

    if (version != programVersion) {
        return refuse(Refusal::OtherVersion,
                      QStringLiteral("it was written by version %1 of the program; this is version %2")
                          .arg(version, programVersion));
    }
    if (path != realPath) {
        return refuse(Refusal::OtherFile, QStringLiteral("it belongs to \"%1\"").arg(path));
    }
    if (r.steps.isEmpty()) {
        return refuse(Refusal::Unfinished, unfinished);
    }
    QByteArray map = currentMap.toByteArray();
    QString misfit;
    if (!Replay(r.steps, map, &misfit)) {
        return refuse(Refusal::DoesNotFit, misfit);
    }
    r.outcome = Outcome::Valid;
    r.fileChanged = MapHash(currentMap) != r.savedMapHash;
    return r;
}

MapJournal::Reading MapJournal::Read(const QString& cartridgePath, QByteArrayView currentMap,
                                     const QString& programVersion, const QString& folder)
{
    const QString path = JournalPath(cartridgePath, folder);
    QFile file(path);
    if (!QFileInfo::exists(path)) {
        Reading none;
        none.journalPath = path;
        return none;
    }
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly)) {
        bytes = file.readAll();
    }
    if (!file.isOpen() || bytes.size() != file.size()) {
        Reading unreadable;
        unreadable.outcome = Outcome::Unreadable;
        unreadable.journalPath = path;
        unreadable.message = QStringLiteral("The journal of unsaved map edits \"%1\" could not be read: %2.")
                                 .arg(path, file.errorString());
        return unreadable;
    }
    file.close();

    const QString realPath = RealPath(cartridgePath);
    Reading r = Examine(bytes, realPath, currentMap, programVersion);
    r.journalPath = path;
    if (r.refusal != Refusal::None) {
        QString error;
        r.setAsidePath = setAside(path, asideWord(r.refusal), &error);
        r.message = QStringLiteral("The journal of unsaved map edits \"%1\" for \"%2\" cannot be used: %3. ")
                        .arg(path, realPath, r.detail) +
                    (r.setAsidePath.isEmpty() ? error : QStringLiteral("It was kept as \"%1\".").arg(r.setAsidePath));
    }
    return r;
}

MapJournal::MapJournal(const QString& cartridgePath, const QString& programVersion, const QString& folder)
    : m_realPath(RealPath(cartridgePath)), m_path(JournalPath(cartridgePath, folder)), m_version(programVersion)
{
}

MapJournal::~MapJournal() = default;

void MapJournal::setSavedMap(QByteArrayView map)
{
    m_savedMapHash = MapHash(map);
}

bool MapJournal::append(const Step& step, QString* error)
{
    m_pending.append(StepBytes(step));
    return writePending(error);
}

bool MapJournal::create(QString* error)
{
    const QString folder = QFileInfo(m_path).path();
    if (!QFileInfo(folder).isDir()) {
        if (!QDir().mkpath(folder)) {
            setError(error, QStringLiteral("The folder \"%1\" for the journal of unsaved map edits could not be made.")
                                .arg(folder));
            return false;
        }
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    if ((QFileInfo::exists(m_path) || QFileInfo(m_path).isSymLink()) &&
        setAside(m_path, QStringLiteral("superseded"), error).isEmpty()) {
        return false;
    }
    m_file.setFileName(m_path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        setError(error, QStringLiteral("The journal of unsaved map edits \"%1\" could not be made: %2.")
                            .arg(m_path, m_file.errorString()));
        return false;
    }
    if (m_header.isEmpty()) {
        m_header = HeaderBytes(m_realPath, m_version, m_savedMapHash, QDateTime::currentDateTimeUtc());
    }
    m_pending.prepend(m_header);
    m_header.clear();
    m_written = 0;
    m_cutBack = false;
    return true;
}

bool MapJournal::writePending(QString* error)
{
    if (!m_file.isOpen() && !create(error)) {
        return false;
    }
    const auto failed = [&](const QString& reason) {
        m_cutBack = true;
        setError(
            error,
            QStringLiteral("The journal of unsaved map edits \"%1\" could not be written: %2.").arg(m_path, reason));
        return false;
    };
    // What a failed write left after the whole frames goes first, so frames follow frames.
    if (m_cutBack && !m_file.resize(m_written)) {
        return failed(m_file.errorString());
    }
    m_cutBack = false;
    const qint64 written = m_file.write(m_pending);
    if (written != m_pending.size()) {
        return failed(written < 0 ? m_file.errorString() : systemError());  // a short write leaves errno
    }
#if defined(Q_OS_LINUX)
    if (::fdatasync(m_file.handle()) != 0) {
        return failed(systemError());
    }
#elif defined(Q_OS_UNIX)
    if (::fsync(m_file.handle()) != 0) {
        return failed(systemError());
    }
#endif
    if (m_written == 0) {
        syncFolder(QFileInfo(m_path).path());  // the new journal's name, too, survives a power loss
    }
    m_written += m_pending.size();
    m_pending.clear();
    return true;
}

bool MapJournal::resume(const Reading& reading, QString* error)
{
    m_file.close();
    m_pending.clear();
    if (reading.outcome != Outcome::Valid || reading.journalPath != m_path) {
        setError(error, QStringLiteral("The journal of unsaved map edits \"%1\" cannot be continued: it was not read "
                                       "as valid.")
                            .arg(m_path));
        return false;
    }
    if (!reading.tornTail) {
        m_file.setFileName(m_path);
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
            setError(error, QStringLiteral("The journal of unsaved map edits \"%1\" could not be opened: %2.")
                                .arg(m_path, m_file.errorString()));
            return false;
        }
        m_written = m_file.size();
        m_cutBack = false;
        return true;
    }
    if (setAside(m_path, QStringLiteral("torn"), error).isEmpty()) {
        return false;
    }
    m_header = HeaderBytes(m_realPath, m_version, reading.savedMapHash, reading.began);
    for (const Step& step : reading.steps) {
        m_pending.append(StepBytes(step));
    }
    return writePending(error);
}

bool MapJournal::remove(QString* error)
{
    m_file.close();
    m_pending.clear();
    m_header.clear();
    m_written = 0;
    QFile file(m_path);
    if ((QFileInfo::exists(m_path) || QFileInfo(m_path).isSymLink()) && !file.remove()) {
        setError(error, QStringLiteral("The journal of unsaved map edits \"%1\" could not be removed: %2.")
                            .arg(m_path, file.errorString()));
        return false;
    }
    return true;
}
