#pragma once
// Run-time errors that a routine does not handle itself. They carry the
// module, routine and line where they were raised; the application's event
// dispatcher reports them and ends the program (widgets/guard.h). A read
// that failed because the database file is damaged or cannot be read is one
// of them too, marked as such: it is told, and the program goes on.
#include <QString>
#include <stdexcept>

// Where an error was raised. Routines that can fail take one as a defaulted
// last argument, so the caller's own file, function and line are recorded.
struct Where {
    const char* file;
    const char* routine;
    int line;

    static Where here(const char* file = __builtin_FILE(), const char* routine = __builtin_FUNCTION(),
                      int line = __builtin_LINE())
    {
        return Where{file, routine, line};
    }
    // The module name: the file name without folder and extension.
    QString module() const;
};

#define HERE (Where{__FILE__, __func__, __LINE__})

class AppError : public std::runtime_error {
public:
    AppError(long number, const QString& description, const Where& where);
    // A read of the database file that failed because the file is damaged
    // or cannot be read; reason is the database's own words.
    static AppError unreadableFile(const QString& file, const QString& reason, const QString& sql,
                                   const Where& where);

    long number() const { return m_number; }
    QString description() const { return m_description; }
    QString module() const { return m_module; }
    QString routine() const { return m_routine; }
    int line() const { return m_line; }
    bool isUnreadableFile() const { return !m_unreadableFile.isEmpty(); }
    // The damaged or unreadable file, and the database's reason; empty for
    // any other error.
    QString unreadableFile() const { return m_unreadableFile; }
    QString reason() const { return m_reason; }
    // The text of the program-wide error report; for an unreadable file,
    // the file, the reason and what to do.
    QString reportText() const;

private:
    long m_number;
    QString m_description;
    QString m_module;
    QString m_routine;
    int m_line;
    QString m_unreadableFile;
    QString m_reason;
};

// Error numbers the program raises itself.
constexpr long kErrDatabase = 3146;                   // a statement failed
// Refused database conversion: 0x8004041C read as the 32-bit error number it is.
constexpr long kErrObjectDefined = -2147220452L;

[[noreturn]] void RaiseError(long number, const QString& description, const Where& where);
