#include "core/sqliteext.h"

#include <QString>
#include <QStringList>
#include <sqlite3.h>

namespace {

bool isAscii(const char* s, int n)
{
    for (int i = 0; i < n; ++i)
        if (static_cast<unsigned char>(s[i]) >= 0x80)
            return false;
    return true;
}

int asciiFoldCompare(const char* a, int na, const char* b, int nb)
{
    const int n = na < nb ? na : nb;
    for (int i = 0; i < n; ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca >= 'A' && ca <= 'Z') ca += 32;
        if (cb >= 'A' && cb <= 'Z') cb += 32;
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return na == nb ? 0 : (na < nb ? -1 : 1);
}

QString withoutAccents(const QString& s)
{
    const QString decomposed = s.normalized(QString::NormalizationForm_D);
    QString base;
    base.reserve(decomposed.size());
    for (QChar ch : decomposed)
        if (ch.category() != QChar::Mark_NonSpacing)
            base += ch;
    return base;
}

int foldCompare(void*, int na, const void* pa, int nb, const void* pb)
{
    const char* a = static_cast<const char*>(pa);
    const char* b = static_cast<const char*>(pb);
    if (isAscii(a, na) && isAscii(b, nb))
        return asciiFoldCompare(a, na, b, nb);
    // Letters sort by their base letter first ("Émile" among the E's), then
    // by their accents; only letter case is ignored altogether.
    const QString qa = QString::fromUtf8(a, na).toCaseFolded();
    const QString qb = QString::fromUtf8(b, nb).toCaseFolded();
    int c = withoutAccents(qa).compare(withoutAccents(qb));
    if (c == 0)
        c = qa.compare(qb);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// LIKE with % and _ wildcards over case-folded text; a character after the
// escape character (when one is given) matches itself only.
bool likeMatch(const QString& pattern, int pi, const QString& text, int ti, QChar escape)
{
    while (pi < pattern.size()) {
        QChar p = pattern.at(pi);
        if (!escape.isNull() && p == escape && pi + 1 < pattern.size()) {
            ++pi;
            if (ti >= text.size() || pattern.at(pi) != text.at(ti))
                return false;
            ++pi;
            ++ti;
            continue;
        }
        if (p == u'%') {
            while (pi < pattern.size() && pattern.at(pi) == u'%')
                ++pi;
            if (pi == pattern.size())
                return true;
            for (int t = ti; t <= text.size(); ++t)
                if (likeMatch(pattern, pi, text, t, escape))
                    return true;
            return false;
        }
        if (ti >= text.size())
            return false;
        if (p != u'_' && p != text.at(ti))
            return false;
        ++pi;
        ++ti;
    }
    return ti == text.size();
}

void likeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (argc < 2 || sqlite3_value_type(argv[0]) == SQLITE_NULL
        || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* pattern = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    QChar escape;
    if (argc == 3 && sqlite3_value_type(argv[2]) != SQLITE_NULL) {
        const QString e = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[2])));
        if (e.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = e.at(0).toCaseFolded();
    }
    const QString p = QString::fromUtf8(pattern).toCaseFolded();
    const QString t = QString::fromUtf8(text).toCaseFolded();
    sqlite3_result_int(ctx, likeMatch(p, 0, t, 0, escape) ? 1 : 0);
}

QString quoted(const QString& identifier)
{
    return u'"' + QString(identifier).replace(u'"', QLatin1String("\"\"")) + u'"';
}

// One statement, finalized when it goes.
class Statement {
public:
    template <class... Texts>
    Statement(sqlite3* db, const char* sql, const Texts&... texts)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            return;
        int i = 0;
        (sqlite3_bind_text16(m_stmt, ++i, texts.utf16(), int(texts.size() * 2), SQLITE_TRANSIENT), ...);
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    explicit operator bool() const { return m_stmt != nullptr; }
    bool step() { return sqlite3_step(m_stmt) == SQLITE_ROW; }
    QString text(int column) const
    {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column)));
    }
    qint64 integer(int column) const { return sqlite3_column_int64(m_stmt, column); }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

}  // namespace

namespace sqliteext {

bool registerExtensions(sqlite3* db)
{
    if (!db)
        return false;
    bool ok = sqlite3_create_collation(db, "FOLD", SQLITE_UTF8, nullptr, foldCompare) == SQLITE_OK;
    for (int argc : {2, 3})
        ok = sqlite3_create_function(db, "like", argc, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                     likeFunction, nullptr, nullptr) == SQLITE_OK && ok;
    return ok;
}

bool convertNameIndexes(sqlite3* db, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    auto lastError = [db] { return QString::fromUtf8(sqlite3_errmsg(db)); };

    // Every index written out, with what its keys are compared by.
    QStringList rebuild;
    {
        Statement indexes(db, "SELECT name, tbl_name, sql FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL");
        if (!indexes)
            return fail(lastError());
        while (indexes.step()) {
            const QString name = indexes.text(0);
            const QString table = indexes.text(1);
            const QString sql = indexes.text(2);
            Statement keys(db, "SELECT cid, name, desc, coll FROM pragma_index_xinfo(?) WHERE key = 1", name);
            if (!keys)
                return fail(lastError());
            QStringList columns;
            bool byNocase = false;
            bool plain = !sql.contains(QLatin1String(" WHERE "), Qt::CaseInsensitive);
            while (keys.step()) {
                const bool nocase = keys.text(3).compare(QLatin1String("NOCASE"), Qt::CaseInsensitive) == 0;
                byNocase = byNocase || nocase;
                plain = plain && keys.integer(0) >= 0;
                QString column = quoted(keys.text(1));
                if (nocase)
                    column += QLatin1String(" COLLATE FOLD");
                else if (keys.text(3).compare(QLatin1String("BINARY"), Qt::CaseInsensitive) != 0)
                    column += QLatin1String(" COLLATE ") + quoted(keys.text(3));
                if (keys.integer(2))
                    column += QLatin1String(" DESC");
                columns << column;
            }
            if (!byNocase)
                continue;
            if (!plain)   // an index on expressions or on part of the rows is put in order again as it is
                rebuild << QStringLiteral("REINDEX ") + quoted(name);
            else
                rebuild << QStringLiteral("DROP INDEX ") + quoted(name)
                        << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                               .arg(sql.startsWith(QLatin1String("CREATE UNIQUE"), Qt::CaseInsensitive)
                                        ? QStringLiteral("UNIQUE ")
                                        : QString(),
                                    quoted(name), quoted(table), columns.join(QStringLiteral(", ")));
        }
    }
    if (rebuild.isEmpty())
        return true;
    rebuild.prepend(QStringLiteral("BEGIN IMMEDIATE"));
    rebuild << QStringLiteral("COMMIT");
    for (const QString& sql : rebuild) {
        if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
            const QString why = lastError();
            if (!sqlite3_get_autocommit(db))
                sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            return fail(why);
        }
    }
    return true;
}

}  // namespace sqliteext
