#include "lists/list_store.h"

#include "lists/log_check.h"
#include "lists/sqlite_statement.h"
#include "lists/private_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QSysInfo>

#include <sqlite3.h>

#include <utility>

namespace {

// This computer's name as a lock file names it (on Windows not the name
// QSysInfo gives): read off a lock of our own.
QString LockHostOfThisComputer(const QString& folder)
{
    QLockFile probe(QDir(folder).filePath(QStringLiteral("lists.lock.probe")));
    qint64 pid = 0;
    QString host;
    QString program;
    if (!probe.tryLock(0) || !probe.getLockInfo(&pid, &host, &program))
        return QSysInfo::machineHostName();
    return host;
}

QString Stamp(const QDateTime& t) { return t.isValid() ? t.toUTC().toString(Qt::ISODateWithMs) : QString(); }
QDateTime Unstamp(const QString& s)
{
    return s.isEmpty() ? QDateTime() : QDateTime::fromString(s, Qt::ISODateWithMs).toLocalTime();
}

constexpr const char* Schema = R"(
CREATE TABLE IF NOT EXISTS lists(
  id INTEGER PRIMARY KEY,
  downloaded TEXT NOT NULL,
  reported INTEGER NOT NULL DEFAULT 0,
  sort INTEGER NOT NULL DEFAULT 0,
  display INTEGER NOT NULL DEFAULT 0,
  row_order BLOB,
  exported_to TEXT, exported_at TEXT,
  printed_on TEXT, printed_at TEXT);
CREATE TABLE IF NOT EXISTS records(
  list INTEGER NOT NULL REFERENCES lists(id) ON DELETE CASCADE,
  number INTEGER NOT NULL,
  bytes BLOB NOT NULL,
  mark INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY(list, number)) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS on_screen(
  only INTEGER PRIMARY KEY CHECK (only = 1),
  list INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS list_checks(
  list INTEGER PRIMARY KEY REFERENCES lists(id) ON DELETE CASCADE,
  sum INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS entrants(
  event INTEGER NOT NULL,
  bib INTEGER NOT NULL,
  first_name TEXT, last_name TEXT, gender TEXT,
  birth_date TEXT, year_only INTEGER NOT NULL DEFAULT 0, age INTEGER,
  category TEXT, team TEXT, city TEXT,
  PRIMARY KEY(event, bib)) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS event_rules(
  event INTEGER PRIMARY KEY,
  race_day TEXT,
  age_groups TEXT NOT NULL DEFAULT '',
  left_out INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS counted_reads(
  list INTEGER NOT NULL REFERENCES lists(id) ON DELETE CASCADE,
  bib INTEGER NOT NULL,
  number INTEGER NOT NULL,
  PRIMARY KEY(list, bib)) WITHOUT ROWID;
)";

// A sum over a list's records as they were written, so that records a
// damaged page still gives, but not as written, are not taken for whole.
class RecordsCheck {
public:
    void add(std::int64_t number, const QByteArray& bytes, std::int64_t mark)
    {
        mix(static_cast<std::uint64_t>(number));
        for (const char b : bytes)
            mix(static_cast<std::uint8_t>(b));
        mix(static_cast<std::uint64_t>(mark) + 0x100);
    }
    std::int64_t sum() const { return static_cast<std::int64_t>(h_); }

private:
    void mix(std::uint64_t v)
    {
        h_ ^= v;
        h_ *= 1099511628211ULL; // FNV-1a
    }
    std::uint64_t h_ = 14695981039346656037ULL;
};

constexpr const char* RecordsOfList = "SELECT number, bytes, mark FROM records WHERE list = ? ORDER BY number";

} // namespace

ListStore::ListStore(QString folder) : folder_(std::move(folder)) {}

ListStore::~ListStore() { close(); }

QString ListStore::path() const { return QDir(folder_).filePath(QString::fromLatin1(FileName)); }

void ListStore::close()
{
    // Closed once its last statement ends, should one still be open.
    if (db_)
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

bool ListStore::exec(const char* sql)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK)
        lastError_ = QString::fromUtf8(message ? message : sqlite3_errstr(rc));
    sqlite3_free(message);
    return rc == SQLITE_OK;
}

bool ListStore::stillThere()
{
    if (QFileInfo::exists(path()))
        return true;
    lastError_ = QStringLiteral("the data folder or its store was removed");
    return false;
}

bool ListStore::hasList(std::int64_t list)
{
    if (!db_)
        return false;
    Statement s(db_, "SELECT 1 FROM lists WHERE id = ?");
    return s.bind(1, list).step() == SQLITE_ROW;
}

ListStore::Opening ListStore::open()
{
    close();
    lock_.reset();
    // Only the user reads the operator's lists.
    if (!QDir().mkpath(folder_))
        return {.trouble = StoreTrouble::FolderNotWritable, .detail = QDir::toNativeSeparators(folder_)};
    if (const auto why = WhyFolderIsNotPrivate(folder_))
        return {.trouble = StoreTrouble::NotOwn, .detail = *why};

    lock_ = std::make_unique<QLockFile>(QDir(folder_).filePath(QStringLiteral("lists.lock")));
    lock_->setStaleLockTime(0); // a crashed copy's lock is stale at once; a live one never
    if (!lock_->tryLock(0)) {
        const bool held = lock_->error() == QLockFile::LockFailedError;
        qint64 pid = 0;
        QString host;
        QString program;
        // A copy on this computer that ended leaves no lock that holds; one on
        // another cannot be asked whether it still runs.
        if (held && lock_->getLockInfo(&pid, &host, &program) && host != LockHostOfThisComputer(folder_)) {
            lock_.reset();
            QDateTime last;
            for (const QString& f : {path() + QStringLiteral("-wal"), path()})
                if (QFileInfo(f).exists())
                    last = std::max(last, QFileInfo(f).lastModified());
            return {.trouble = StoreTrouble::HeldElsewhere, .detail = host, .heldOn = host, .lastWritten = last};
        }
        lock_.reset();
        return {.trouble = held ? StoreTrouble::InUse : folderTrouble(), .detail = QDir::toNativeSeparators(folder_)};
    }
    // SQLite would drop the changes past a damaged frame of its log in silence.
    QByteArray logBytes;
    if (QFile log(path() + QStringLiteral("-wal")); log.open(QIODevice::ReadOnly))
        logBytes = log.readAll();
    // Closed before it is moved: Windows moves no file that is open.
    const bool logDamaged = LogLostCommits(logBytes);
    const QString logAside = logDamaged ? setAsideLog() : QString();
    Opening opening = openFile();
    // Told also when it could not be moved: SQLite drops what it cannot read.
    if (logDamaged && opening.open && opening.trouble == StoreTrouble::None) {
        opening.trouble = StoreTrouble::LogDamaged;
        opening.setAsideAs = logAside.isEmpty() ? path() + QStringLiteral("-wal") : logAside;
        opening.logLeftInPlace = logAside.isEmpty();
    }
    if (opening.trouble == StoreTrouble::Damaged || opening.trouble == StoreTrouble::Newer) {
        // Never written over: set aside, and a new store in its place.
        opening.setAsideAs = setAside(opening.trouble == StoreTrouble::Newer ? QStringLiteral("newer")
                                                                            : QStringLiteral("damaged"));
        if (!opening.setAsideAs.isEmpty()) {
            const Opening fresh = openFile();
            opening.open = fresh.open;
            if (!fresh.open)
                opening = fresh;
            else if (opening.trouble == StoreTrouble::Damaged)
                salvage(opening.setAsideAs, opening);
        }
    }
    if (!opening.open)
        lock_.reset();
    return opening;
}

StoreTrouble ListStore::folderTrouble() const
{
    // Too little room for the lock or the log's first pages.
    const QStorageInfo disk(folder_);
    return disk.isValid() && disk.bytesAvailable() < 64 * 1024 ? StoreTrouble::DiskFull : StoreTrouble::FolderNotWritable;
}

ListStore::Opening ListStore::takeOver()
{
    QLockFile(QDir(folder_).filePath(QStringLiteral("lists.lock"))).removeStaleLockFile();
    return open();
}

ListStore::Opening ListStore::openFile()
{
    // Only a file of the program's own: never one a link leads to.
    if (QFileInfo(path()).isSymLink()) {
        lastError_ = QStringLiteral("%1 is a link to another file").arg(QString::fromLatin1(FileName));
        return {.trouble = StoreTrouble::NotOwn, .detail = lastError_};
    }
    const QByteArray file = QFile::encodeName(path());
    const int rc = sqlite3_open_v2(file.constData(), &db_,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOFOLLOW, nullptr);
    auto fail = [this](StoreTrouble trouble) {
        if (trouble == StoreTrouble::FolderNotWritable
            && ((db_ && (sqlite3_errcode(db_) & 0xff) == SQLITE_FULL) || folderTrouble() == StoreTrouble::DiskFull))
            trouble = StoreTrouble::DiskFull;
        lastError_ = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : lastError_;
        close();
        return Opening{.trouble = trouble, .detail = lastError_};
    };
    if (rc != SQLITE_OK)
        return fail(StoreTrouble::FolderNotWritable);
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // Another program reading the file (a backup, a browser of SQLite files)
    // holds it a moment; a write that still finds it held is tried again later.
    sqlite3_busy_timeout(db_, BusyMs);

    // SQLite's own check: a file that is not a database, or one whose pages
    // do not hold together. Its statement ends before the file is let go.
    int step = SQLITE_ERROR;
    QString verdict;
    {
        Statement check(db_, "PRAGMA quick_check");
        step = check.step();
        if (step == SQLITE_ROW)
            verdict = check.text(0);
    }
    if (step != SQLITE_ROW && step != SQLITE_DONE) {
        const int code = sqlite3_errcode(db_) & 0xff;
        return fail(code == SQLITE_NOTADB || code == SQLITE_CORRUPT ? StoreTrouble::Damaged
                                                                    : StoreTrouble::FolderNotWritable);
    }
    if (step == SQLITE_ROW && verdict != QLatin1String("ok")) {
        lastError_ = verdict;
        close();
        return {.trouble = StoreTrouble::Damaged, .detail = lastError_};
    }
    std::int64_t version = 0;
    {
        Statement v(db_, "PRAGMA user_version");
        if (v.step() == SQLITE_ROW)
            version = v.integer(0);
    }
    if (version > SchemaVersion) {
        lastError_ = QStringLiteral("version %1").arg(version);
        close();
        return {.trouble = StoreTrouble::Newer, .detail = lastError_};
    }
    // A committed change survives a kill and a power cut: the log is synced
    // at every commit.
    if (!exec("PRAGMA journal_mode=WAL") || !exec("PRAGMA synchronous=FULL") || !exec("PRAGMA foreign_keys=ON")
        || !makeSchema())
        return fail(StoreTrouble::FolderNotWritable);
    prune();
    return {.open = true};
}

bool ListStore::makeSchema()
{
    if (!exec("BEGIN IMMEDIATE"))
        return false;
    if (!exec(Schema) || !exec("PRAGMA user_version=1") || !exec("COMMIT")) {
        exec("ROLLBACK");
        return false;
    }
    return true;
}

QString ListStore::setAside(const QString& why)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    const QString base = path();
    const QString aside = QStringLiteral("%1.%2-%3").arg(base, why, stamp);
    // The log and the index of shared memory belong with the file they were written for.
    if (!QFile::rename(base, aside))
        return {};
    for (const char* part : {"-wal", "-shm"})
        if (QFile::exists(base + QLatin1String(part)))
            QFile::rename(base + QLatin1String(part), aside + QLatin1String(part));
    return aside;
}

QString ListStore::setAsideLog()
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    const QString log = path() + QStringLiteral("-wal");
    const QString aside = QStringLiteral("%1.damaged-%2").arg(log, stamp);
    if (!QFile::rename(log, aside))
        return {};
    // The index of shared memory is made anew from the log there is.
    QFile::remove(path() + QStringLiteral("-shm"));
    return aside;
}

void ListStore::prune()
{
    Statement drop(db_, "DELETE FROM lists WHERE id NOT IN (SELECT id FROM lists ORDER BY id DESC LIMIT ?)");
    drop.bind(1, ListsKept).run();
}

std::optional<std::int64_t> ListStore::beginList(const QDateTime& downloaded)
{
    if (!db_)
        return std::nullopt;
    Statement insert(db_, "INSERT INTO lists(downloaded) VALUES(?)");
    if (!insert.bind(1, Stamp(downloaded)).run()) {
        lastError_ = QString::fromUtf8(sqlite3_errmsg(db_));
        return std::nullopt;
    }
    return sqlite3_last_insert_rowid(db_);
}

bool ListStore::beginList(std::int64_t list, const QDateTime& downloaded)
{
    if (!db_)
        return false;
    Statement insert(db_, "INSERT INTO lists(id, downloaded) VALUES(?, ?)");
    if (insert.bind(1, list).bind(2, Stamp(downloaded)).run())
        return true;
    lastError_ = QString::fromUtf8(sqlite3_errmsg(db_));
    return false;
}

std::int64_t ListStore::nextListId()
{
    if (!db_)
        return 1;
    Statement highest(db_, "SELECT coalesce(max(id), 0) + 1 FROM lists");
    return highest.step() == SQLITE_ROW ? highest.integer(0) : 1;
}

bool ListStore::transaction(const std::function<bool()>& body)
{
    if (!db_)
        return false;
    if (transactionDepth_ > 0)
        return body();
    if (!exec("BEGIN IMMEDIATE"))
        return false;
    ++transactionDepth_;
    const bool done = body();
    --transactionDepth_;
    if (!done) {
        lastError_ = QString::fromUtf8(sqlite3_errmsg(db_));
        const QString why = lastError_;
        exec("ROLLBACK");
        lastError_ = why;
        return false;
    }
    if (!exec("COMMIT")) {
        // A full disk can refuse the commit itself; nothing of it stays.
        const QString why = lastError_;
        exec("ROLLBACK");
        lastError_ = why;
        return false;
    }
    return true;
}

bool ListStore::write(const KeptListChange& change)
{
    return transaction([&] {
        bool ok = true;
        Statement record(db_, "INSERT INTO records(list, number, bytes, mark) VALUES(?, ?, ?, ?) "
                              "ON CONFLICT(list, number) DO UPDATE SET bytes = excluded.bytes, mark = excluded.mark");
        for (const KeptRecord& r : change.records) {
            ok = ok
                && record.bind(1, change.list)
                       .bind(2, r.number)
                       .bindBlob(3, r.bytes.data(), static_cast<int>(r.bytes.size()))
                       .bind(4, r.mark)
                       .run();
        }
        Statement list(db_, "UPDATE lists SET reported = ?, sort = ?, display = ?, row_order = ? WHERE id = ?");
        ok = ok
            && list.bind(1, change.reportedCount)
                   .bind(2, change.sort)
                   .bind(3, change.display)
                   .bindBlob(4, change.order.data(), static_cast<int>(change.order.size()))
                   .bind(5, change.list)
                   .run();
        RecordsCheck check;
        Statement all(db_, RecordsOfList);
        all.bind(1, change.list);
        int step = SQLITE_ROW;
        while (ok && (step = all.step()) == SQLITE_ROW)
            check.add(all.integer(0), all.blob(1), all.integer(2));
        Statement sum(db_, "INSERT INTO list_checks(list, sum) VALUES(?, ?) "
                           "ON CONFLICT(list) DO UPDATE SET sum = excluded.sum");
        return ok && step == SQLITE_DONE && sum.bind(1, change.list).bind(2, check.sum()).run();
    });
}

bool ListStore::note(const char* sql, std::int64_t list, const QString& where, const QDateTime& when)
{
    if (!db_)
        return false;
    Statement note(db_, sql);
    if (note.bind(1, where).bind(2, Stamp(when)).bind(3, list).run())
        return true;
    lastError_ = QString::fromUtf8(sqlite3_errmsg(db_));
    return false;
}

bool ListStore::noteOnScreen(std::int64_t list)
{
    if (!db_)
        return false;
    Statement s(db_, "INSERT INTO on_screen(only, list) VALUES(1, ?) ON CONFLICT(only) DO UPDATE SET list = excluded.list");
    if (s.bind(1, list).run())
        return true;
    lastError_ = QString::fromUtf8(sqlite3_errmsg(db_));
    return false;
}

std::optional<std::int64_t> ListStore::listLeftOnScreen()
{
    if (!db_)
        return std::nullopt;
    Statement s(db_, "SELECT list FROM on_screen WHERE only = 1");
    if (s.step() != SQLITE_ROW)
        return std::nullopt;
    return s.integer(0);
}

bool ListStore::noteExported(std::int64_t list, const QString& path, const QDateTime& when)
{
    return note("UPDATE lists SET exported_to = ?, exported_at = ? WHERE id = ?", list, path, when);
}

bool ListStore::notePrinted(std::int64_t list, const QString& printer, const QDateTime& when)
{
    return note("UPDATE lists SET printed_on = ?, printed_at = ? WHERE id = ?", list, printer, when);
}

namespace {

constexpr const char* SummaryColumns =
    "SELECT l.id, l.downloaded, l.reported, l.sort, l.display, l.exported_to, l.exported_at, l.printed_on, "
    "l.printed_at, (SELECT count(*) FROM records r WHERE r.list = l.id), "
    "(SELECT count(*) FROM records r WHERE r.list = l.id AND r.mark <> 0), l.row_order FROM lists l ";

KeptListSummary SummaryOf(const Statement& s)
{
    return {.id = s.integer(0),
            .downloaded = Unstamp(s.text(1)),
            .records = static_cast<int>(s.integer(9)),
            .marks = static_cast<int>(s.integer(10)),
            .reportedCount = static_cast<int>(s.integer(2)),
            .sort = static_cast<int>(s.integer(3)),
            .display = static_cast<int>(s.integer(4)),
            .exportedTo = s.text(5),
            .exportedAt = Unstamp(s.text(6)),
            .printedOn = s.text(7),
            .printedAt = Unstamp(s.text(8))};
}

} // namespace

std::vector<KeptListSummary> ListStore::lists()
{
    std::vector<KeptListSummary> all;
    if (!db_)
        return all;
    // Lists that never had a record are not worth showing.
    Statement s(db_, (std::string(SummaryColumns) + "WHERE EXISTS (SELECT 1 FROM records r WHERE r.list = l.id) "
                                                    "ORDER BY l.id DESC").c_str());
    while (s.step() == SQLITE_ROW)
        all.push_back(SummaryOf(s));
    return all;
}

std::optional<KeptList> ListStore::load(std::int64_t list) { return db_ ? LoadList(db_, list) : std::nullopt; }

std::optional<KeptList> ListStore::LoadList(sqlite3* db, std::int64_t list)
{
    KeptList kept;
    {
        Statement s(db, (std::string(SummaryColumns) + "WHERE l.id = ?").c_str());
        if (s.bind(1, list).step() != SQLITE_ROW)
            return std::nullopt;
        kept.summary = SummaryOf(s);
        const QByteArray order = s.blob(11);
        for (std::size_t i = 0; i < kept.order.size(); ++i)
            kept.order[i] = static_cast<std::uint8_t>(i);
        if (order.size() == static_cast<qsizetype>(kept.order.size()))
            std::copy(order.begin(), order.end(), kept.order.begin());
    }
    Statement r(db, RecordsOfList);
    r.bind(1, list);
    RecordsCheck check;
    int step = SQLITE_ROW;
    while ((step = r.step()) == SQLITE_ROW) {
        KeptRecord record{.number = static_cast<int>(r.integer(0)), .mark = static_cast<int>(r.integer(2))};
        const QByteArray bytes = r.blob(1);
        check.add(r.integer(0), bytes, r.integer(2));
        std::copy_n(bytes.begin(), std::min<qsizetype>(bytes.size(), 32), record.bytes.begin());
        kept.records.push_back(record);
    }
    // A list with a record that cannot be read, or not as it was written,
    // is not given as whole. Lists an older program wrote have no sum.
    if (step != SQLITE_DONE)
        return std::nullopt;
    Statement sum(db, "SELECT sum FROM list_checks WHERE list = ?");
    if (!sum.ok())
        return kept;
    sum.bind(1, list);
    const int found = sum.step();
    if ((found == SQLITE_ROW && sum.integer(0) != check.sum()) || (found != SQLITE_ROW && found != SQLITE_DONE))
        return std::nullopt;
    return kept;
}

void ListStore::salvage(const QString& damaged, Opening& opening)
{
    sqlite3* old = nullptr;
    const QByteArray file = QFile::encodeName(damaged);
    if (sqlite3_open_v2(file.constData(), &old, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOFOLLOW, nullptr) != SQLITE_OK) {
        sqlite3_close(old);
        return;
    }
    std::vector<std::int64_t> ids;
    bool listed = false;
    {
        Statement s(old, "SELECT id FROM lists ORDER BY id");
        int step = SQLITE_ROW;
        while ((step = s.step()) == SQLITE_ROW)
            ids.push_back(s.integer(0));
        listed = step == SQLITE_DONE;
    }
    for (std::int64_t id : ids) {
        const std::optional<KeptList> kept = LoadList(old, id);
        if (!kept || !copyIn(*kept)) {
            ++opening.listsLost;
            continue;
        }
        ++opening.listsSaved;
    }
    // Lists past a page that could not be read are not even counted.
    opening.someUncounted = !listed;
    sqlite3_close(old);
}

bool ListStore::copyIn(const KeptList& kept)
{
    const KeptListSummary& s = kept.summary;
    const auto list = beginList(s.downloaded);
    return list
        && write({.list = *list, .records = kept.records, .order = kept.order, .reportedCount = s.reportedCount,
                  .sort = s.sort, .display = s.display})
        && (s.exportedTo.isEmpty() || noteExported(*list, s.exportedTo, s.exportedAt))
        && (s.printedOn.isEmpty() || notePrinted(*list, s.printedOn, s.printedAt));
}

QString ListStore::engineVersion() { return QString::fromLatin1(sqlite3_libversion()); }
