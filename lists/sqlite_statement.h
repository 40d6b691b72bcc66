#pragma once

#include <QByteArray>
#include <QString>

#include <sqlite3.h>

#include <cstdint>

// One prepared statement, finalised when it goes.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &s_, nullptr); }
    ~Statement() { sqlite3_finalize(s_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return s_ != nullptr; }
    Statement& bind(int i, std::int64_t v) { sqlite3_bind_int64(s_, i, v); return *this; }
    Statement& bind(int i, const QString& v)
    {
        if (v.isNull()) {
            sqlite3_bind_null(s_, i);
        } else {
            const QByteArray utf8 = v.toUtf8();
            sqlite3_bind_text(s_, i, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
        }
        return *this;
    }
    Statement& bindBlob(int i, const void* data, int size)
    {
        sqlite3_bind_blob(s_, i, data, size, SQLITE_TRANSIENT);
        return *this;
    }
    // SQLITE_ROW, SQLITE_DONE or an error.
    int step() { return s_ ? sqlite3_step(s_) : SQLITE_ERROR; }
    bool run()
    {
        const bool done = step() == SQLITE_DONE;
        sqlite3_reset(s_);
        sqlite3_clear_bindings(s_);
        return done;
    }
    bool isNull(int c) const { return sqlite3_column_type(s_, c) == SQLITE_NULL; }
    std::int64_t integer(int c) const { return sqlite3_column_int64(s_, c); }
    QString text(int c) const
    {
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(s_, c));
        return t ? QString::fromUtf8(t) : QString();
    }
    QByteArray blob(int c) const
    {
        const auto* b = static_cast<const char*>(sqlite3_column_blob(s_, c));
        return QByteArray(b, sqlite3_column_bytes(s_, c));
    }

private:
    sqlite3_stmt* s_ = nullptr;
};
