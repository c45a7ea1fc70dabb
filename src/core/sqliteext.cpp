#include "core/sqliteext.h"

#include <QString>
#include <QStringList>
#include <sqlite3.h>

#include <array>
#include <atomic>
#include <memory>

namespace {

int sign(int c)
{
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
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

// What one character of the basic plane becomes in a comparison: its case
// folded, and its base letters (the folded character decomposed, without its
// non-spacing marks). Characters that cannot be taken one at a time, because
// a mark it keeps may move in the decomposition of the whole text or it is
// no character at all, are marked whole.
struct Folding {
    char16_t folded = 0;
    char16_t base[3] = {};
    quint8 baseLength = 0;
    bool whole = false;
};

Folding foldingOf(char32_t c)
{
    Folding f;
    const bool noncharacter = (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE;
    if (c == 0 || c == 0xFEFF || noncharacter || QChar::isSurrogate(c)) {
        f.whole = true;
        return f;
    }
    const QString folded = QString(QChar(c)).toCaseFolded();
    const QString decomposed = folded.normalized(QString::NormalizationForm_D);
    if (folded.size() != 1 || folded.at(0).isSurrogate()) {
        f.whole = true;
        return f;
    }
    f.folded = folded.at(0).unicode();
    for (QChar ch : decomposed) {
        if (ch.category() == QChar::Mark_NonSpacing)
            continue;
        if (ch.isSurrogate() || ch.combiningClass() != 0 || f.baseLength == 3) {
            f.whole = true;
            return f;
        }
        f.base[f.baseLength++] = ch.unicode();
    }
    return f;
}

// The foldings of the basic plane, worked out a block of 256 characters at a
// time when a text first holds one of them.
const Folding& folding(char32_t c)
{
    using Block = std::array<Folding, 256>;
    static std::array<std::atomic<const Block*>, 256> blocks{};
    std::atomic<const Block*>& slot = blocks[c >> 8];
    const Block* block = slot.load(std::memory_order_acquire);
    if (!block) {
        auto made = std::make_unique<Block>();
        for (char32_t i = 0; i < 256; ++i)
            (*made)[i] = foldingOf((c & ~char32_t(0xFF)) | i);
        const Block* expected = nullptr;
        if (slot.compare_exchange_strong(expected, made.get(), std::memory_order_acq_rel))
            block = made.release();
        else
            block = expected;
    }
    return (*block)[c & 0xFF];
}

// The characters of a UTF-8 text one at a time; ASCII is folded here, every
// other character of the basic plane by its folding. A character outside
// it, or bytes that are no UTF-8, stop the walk as "whole".
class Walk {
public:
    Walk(const char* s, int n) : m_s(reinterpret_cast<const unsigned char*>(s)), m_n(n) {}

    enum : int { End = -1, Whole = -2 };

    // The next base letter of the text (pass base = true) or its next folded
    // character, End after the last one, Whole when the text must be taken whole.
    int next(bool base)
    {
        if (m_pending < m_pendingLength)
            return m_pendingUnits[m_pending++];
        for (;;) {
            if (m_i >= m_n)
                return End;
            const unsigned char b = m_s[m_i];
            if (b < 0x80) {
                ++m_i;
                if (b == 0)
                    return Whole;
                return b >= 'A' && b <= 'Z' ? b + 32 : b;
            }
            const char32_t c = decode();
            if (c == 0)
                return Whole;
            const Folding& f = folding(c);
            if (f.whole)
                return Whole;
            if (!base)
                return f.folded;
            if (f.baseLength == 0)
                continue;   // a mark
            m_pendingUnits = f.base;
            m_pendingLength = f.baseLength;
            m_pending = 1;
            return f.base[0];
        }
    }

private:
    // The character of two or three bytes at m_i, past it; 0 when the bytes
    // are no such character (or one outside the basic plane).
    char32_t decode()
    {
        const unsigned char b = m_s[m_i];
        auto tail = [this](int k) {
            return m_i + k < m_n && (m_s[m_i + k] & 0xC0) == 0x80 ? char32_t(m_s[m_i + k] & 0x3F) : char32_t(0x110000);
        };
        char32_t c = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            c = (char32_t(b & 0x1F) << 6) | tail(1);
            m_i += 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            c = (char32_t(b & 0x0F) << 12) | (tail(1) << 6) | tail(2);
            m_i += 3;
            if (c < 0x800 || QChar::isSurrogate(c))
                return 0;
        } else {
            return 0;
        }
        return c >= 0x10000 ? 0 : c;
    }

    const unsigned char* m_s;
    int m_n;
    int m_i = 0;
    const char16_t* m_pendingUnits = nullptr;
    int m_pendingLength = 0;
    int m_pending = 0;
};

// Both texts compared on their base letters (pass base = true) or on their
// folded characters; Walk::Whole when either holds a character that must be
// taken with the whole text before the two differ.
int compareWalks(const char* a, int na, const char* b, int nb, bool base)
{
    Walk wa(a, na);
    Walk wb(b, nb);
    for (;;) {
        const int ca = wa.next(base);
        const int cb = wb.next(base);
        if (ca == Walk::Whole || cb == Walk::Whole)
            return Walk::Whole;
        if (ca != cb)
            return ca == Walk::End ? -1 : (cb == Walk::End ? 1 : (ca < cb ? -1 : 1));
        if (ca == Walk::End)
            return 0;
    }
}

int foldCompare(void*, int na, const void* pa, int nb, const void* pb)
{
    const char* a = static_cast<const char*>(pa);
    const char* b = static_cast<const char*>(pb);
    int c = compareWalks(a, na, b, nb, true);
    if (c == 0)
        c = compareWalks(a, na, b, nb, false);
    return c == Walk::Whole ? sqliteext::compareFoldedWhole(a, na, b, nb) : c;
}

// Case-folded text as UTF-16 code units.
struct Units {
    const char16_t* s;
    int n;
};

Units unitsOf(const QString& folded)
{
    return {reinterpret_cast<const char16_t*>(folded.constData()), int(folded.size())};
}

// The UTF-8 text case-folded into buf (room for cap units), as
// QString::toCaseFolded() folds it; false when it must be folded whole.
bool foldInto(const char* s, int n, char16_t* buf, int cap, Units* out)
{
    Walk walk(s, n);
    for (int k = 0;; ++k) {
        const int c = walk.next(false);
        if (c == Walk::End) {
            *out = {buf, k};
            return true;
        }
        if (c == Walk::Whole || k == cap)
            return false;
        buf[k] = char16_t(c);
    }
}

// LIKE with % and _ wildcards over case-folded text; a character after the
// escape character (when one is given, not 0) matches itself only.
bool likeMatch(Units pattern, int pi, Units text, int ti, char16_t escape)
{
    while (pi < pattern.n) {
        const char16_t p = pattern.s[pi];
        if (escape != 0 && p == escape && pi + 1 < pattern.n) {
            ++pi;
            if (ti >= text.n || pattern.s[pi] != text.s[ti])
                return false;
            ++pi;
            ++ti;
            continue;
        }
        if (p == u'%') {
            while (pi < pattern.n && pattern.s[pi] == u'%')
                ++pi;
            if (pi == pattern.n)
                return true;
            for (int t = ti; t <= text.n; ++t)
                if (likeMatch(pattern, pi, text, t, escape))
                    return true;
            return false;
        }
        if (ti >= text.n)
            return false;
        if (p != u'_' && p != text.s[ti])
            return false;
        ++pi;
        ++ti;
    }
    return ti == text.n;
}

void likeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (argc < 2 || sqlite3_value_type(argv[0]) == SQLITE_NULL
        || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* pattern = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int patternBytes = sqlite3_value_bytes(argv[0]);
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    const int textBytes = sqlite3_value_bytes(argv[1]);
    char16_t escape = 0;
    if (argc == 3 && sqlite3_value_type(argv[2]) != SQLITE_NULL) {
        const auto* e = reinterpret_cast<const char*>(sqlite3_value_text(argv[2]));
        const unsigned char e0 = static_cast<unsigned char>(e[0]);
        if (sqlite3_value_bytes(argv[2]) == 1 && e0 != 0 && e0 < 0x80) {
            escape = e0 >= 'A' && e0 <= 'Z' ? char16_t(e0 + 32) : char16_t(e0);
        } else {
            const QString whole = QString::fromUtf8(e);
            if (whole.size() != 1) {
                sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
                return;
            }
            escape = whole.at(0).toCaseFolded().unicode();
        }
    }
    // Names and addresses are folded on the stack; other texts whole.
    char16_t patternUnits[256];
    char16_t textUnits[256];
    Units p;
    Units t;
    bool match;
    if (foldInto(pattern, patternBytes, patternUnits, 256, &p) && foldInto(text, textBytes, textUnits, 256, &t)) {
        match = likeMatch(p, 0, t, 0, escape);
    } else {
        const QString foldedPattern = QString::fromUtf8(pattern).toCaseFolded();
        const QString foldedText = QString::fromUtf8(text).toCaseFolded();
        match = likeMatch(unitsOf(foldedPattern), 0, unitsOf(foldedText), 0, escape);
    }
    sqlite3_result_int(ctx, match ? 1 : 0);
}

QString quoted(const QString& identifier)
{
    return u'"' + QString(identifier).replace(u'"', QLatin1String("\"\"")) + u'"';
}

// One statement, finalized when it goes. A statement that cannot be
// prepared or bound, or whose step fails, is false from then on and keeps
// the database's reason: a failure never reads as the end of the rows.
class Statement {
public:
    template <class... Texts>
    Statement(sqlite3* db, const char* sql, const Texts&... texts) : m_db(db)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK) {
            failed();
            return;
        }
        int i = 0;
        const bool bound = ((sqlite3_bind_text16(m_stmt, ++i, texts.utf16(), int(texts.size() * 2), SQLITE_TRANSIENT)
                             == SQLITE_OK)
                            && ...);
        if (!bound)
            failed();
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    explicit operator bool() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    // The next row; false after the last one or on failure (then the
    // statement is false).
    bool step()
    {
        if (!m_error.isEmpty())
            return false;
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            failed();
        return false;
    }
    QString text(int column) const
    {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column)));
    }
    qint64 integer(int column) const { return sqlite3_column_int64(m_stmt, column); }

private:
    void failed() { m_error = QString::fromUtf8(sqlite3_errmsg(m_db)); }

    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_error;
};

}  // namespace

namespace sqliteext {

int compareFolded(const char* a, int na, const char* b, int nb)
{
    return foldCompare(nullptr, na, a, nb, b);
}

int compareFoldedWhole(const char* a, int na, const char* b, int nb)
{
    // Letters sort by their base letter first ("Émile" among the E's), then
    // by their accents; only letter case is ignored altogether.
    const QString qa = QString::fromUtf8(a, na).toCaseFolded();
    const QString qb = QString::fromUtf8(b, nb).toCaseFolded();
    const int c = withoutAccents(qa).compare(withoutAccents(qb));
    return sign(c != 0 ? c : qa.compare(qb));
}

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
        while (indexes.step()) {
            const QString name = indexes.text(0);
            const QString table = indexes.text(1);
            const QString sql = indexes.text(2);
            Statement keys(db, "SELECT cid, name, desc, coll FROM pragma_index_xinfo(?) WHERE key = 1", name);
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
            if (!keys)
                return fail(keys.error());
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
        if (!indexes)
            return fail(indexes.error());
    }
    if (rebuild.isEmpty())
        return true;
    rebuild.prepend(QStringLiteral("BEGIN IMMEDIATE"));
    rebuild << QStringLiteral("COMMIT");
    for (const QString& sql : rebuild) {
        if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
            QString why = lastError();
            // The caller refuses the file and closes it, which undoes the
            // work in any case; a refused rollback is told all the same.
            if (!sqlite3_get_autocommit(db) && sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr) != SQLITE_OK)
                why += QStringLiteral("\nThe changes could not be undone: ") + lastError();
            return fail(why);
        }
    }
    return true;
}

}  // namespace sqliteext
