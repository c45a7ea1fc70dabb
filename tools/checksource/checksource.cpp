// Checks the shape of the source tree in one pass over its files:
//   - every folder of src/ is a floor, and no include names a floor above
//     its own (in either form, "floor/x.h" or <floor/x.h>);
//   - no include climbs with "..", inside or outside src/;
//   - a window's design is its own: a file of src/ includes ui_x.h only when
//     it is x.cpp or builds the design's class itself (new Ui::Class), and
//     nothing outside src/ includes one (tests reach controls by name);
//   - a window file runs no statement: it names neither the connection, a
//     query nor a row scan and includes none of core/db.h, core/rowscan.h
//     and the Qt Sql headers. A file of src/ is a window file, whatever
//     design its window uses, when it has a .ui of the same name beside it,
//     includes a design (ui_x.h), declares or defines a class that derives
//     from a Qt class other than those of Qt Core listed below, above the
//     ground floor (directly or through classes of src/: any widget,
//     whatever its kind), includes a window
//     file's header (it drives windows, as a wizard's driver does), or is the
//     .h or .cpp of one;
//   - a setting is named by its declaration (core/settingkeys.h): no file of
//     src/ but the settings' own passes a literal key to a settings reader
//     or writer.
//
//   checksource --floors core,invoicing,... SOURCE_ROOT
// prints each fault as "file:line: what" and exits 1 when there is one.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Checker {
    std::vector<std::string> floors;
    fs::path root;
    std::map<std::string, std::string> designClass;   // design name -> its class
    std::set<fs::path> windowFiles;                    // files of src/ that belong to a window
    int faults = 0;
    int files = 0;

    int rank(const std::string& folder) const
    {
        const auto it = std::find(floors.begin(), floors.end(), folder);
        return it == floors.end() ? -1 : int(it - floors.begin());
    }

    void fault(const fs::path& file, int line, const std::string& what)
    {
        std::cout << fs::relative(file, root).generic_string();
        if (line > 0)
            std::cout << ':' << line;
        std::cout << ": " << what << '\n';
        ++faults;
    }

    static std::string read(const fs::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    // The class a design builds: the first <class> of the .ui file.
    void readDesigns(const fs::path& src)
    {
        static const std::regex cls(R"(<class>([A-Za-z0-9_]+)</class>)");
        for (const auto& folder : fs::directory_iterator(src)) {
            if (!folder.is_directory())
                continue;
            for (const auto& f : fs::directory_iterator(folder.path())) {
                if (f.path().extension() != ".ui")
                    continue;
                const std::string text = read(f.path());
                std::smatch m;
                if (std::regex_search(text, m, cls))
                    designClass[f.path().stem().string()] = m[1];
            }
        }
    }

    // The files of src/ that belong to a window (see the top of this file).
    void readWindows(const std::vector<fs::path>& files)
    {
        // Qt's classes that are no part of a window: a class of src/ above
        // the ground floor derived from any other Qt class (QGroupBox,
        // QStackedWidget, a delegate...) belongs to one.
        static const std::set<std::string> notWindows{
            "QObject", "QCoreApplication", "QThread", "QRunnable", "QEvent", "QIODevice", "QFile", "QBuffer",
            "QSharedData", "QTimer", "QAbstractItemModel", "QAbstractTableModel", "QAbstractListModel",
            "QAbstractProxyModel", "QSortFilterProxyModel", "QIdentityProxyModel"};
        const auto qtWindowClass = [](const std::string& name) {
            return name.size() > 1 && name[0] == 'Q' && std::isupper(static_cast<unsigned char>(name[1]))
                   && !notWindows.count(name);
        };
        static const std::regex classDecl(R"(\b(?:class|struct)\s+(\w+)\s*(?:final\s*)?:([^{;]*)\{)");
        static const std::regex word(R"(\b\w+\b)");
        static const std::regex member(R"(\b(\w+)::(?:~?\w+)\s*\()");
        static const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
        struct Facts {
            std::vector<std::string> classes, defined, includes;
            bool design = false;
        };
        std::map<fs::path, Facts> facts;
        std::map<std::string, std::vector<std::string>> bases;   // class -> the names in its base list
        std::set<std::string> ground;                            // classes of the ground floor (no widgets there)
        for (const fs::path& f : files) {
            Facts& x = facts[f];
            const std::string text = read(f);
            std::string code;
            {
                std::istringstream lines(text);
                std::string line;
                bool inComment = false;
                while (std::getline(lines, line)) {
                    std::smatch m;
                    if (std::regex_search(line, m, include)) {
                        x.includes.push_back(m[1]);
                        if (fs::path(m[1].str()).filename().string().rfind("ui_", 0) == 0)
                            x.design = true;
                    }
                    code += withoutComments(line, inComment) + '\n';
                }
            }
            for (std::sregex_iterator i(code.begin(), code.end(), classDecl), end; i != end; ++i) {
                const std::string name = (*i)[1];
                const std::string list = (*i)[2];
                x.classes.push_back(name);
                if (rank(f.parent_path().filename().string()) == 0)
                    ground.insert(name);
                for (std::sregex_iterator w(list.begin(), list.end(), word); w != end; ++w)
                    bases[name].push_back(w->str());
            }
            for (std::sregex_iterator i(code.begin(), code.end(), member), end; i != end; ++i)
                x.defined.push_back((*i)[1]);
        }
        // Classes that derive from a widget, directly or through others.
        std::set<std::string> windowClasses;
        for (bool grew = true; grew;) {
            grew = false;
            for (const auto& [name, list] : bases) {
                if (windowClasses.count(name))
                    continue;
                for (const std::string& b : list)
                    if ((qtWindowClass(b) && !ground.count(name)) || windowClasses.count(b)) {
                        windowClasses.insert(name);
                        grew = true;
                        break;
                    }
            }
        }
        const fs::path src = root / "src";
        for (const auto& [f, x] : facts) {
            bool window = x.design || fs::exists(f.parent_path() / (f.stem().string() + ".ui"));
            for (const auto* names : {&x.classes, &x.defined})
                for (const std::string& n : *names)
                    window = window || windowClasses.count(n) > 0;
            if (window) {
                // The window's .h and .cpp alike.
                for (const char* ext : {".h", ".cpp"}) {
                    fs::path sibling = f;
                    windowFiles.insert(sibling.replace_extension(ext));
                }
            }
        }
        // A file that includes a window's header from its own floor or
        // below (an include from above is a fault of its own).
        for (bool grew = true; grew;) {
            grew = false;
            for (const auto& [f, x] : facts) {
                if (windowFiles.count(f))
                    continue;
                const int own = rank(f.parent_path().filename().string());
                for (const std::string& inc : x.includes) {
                    const auto slash = inc.find('/');
                    if (slash == std::string::npos || rank(inc.substr(0, slash)) > own || !windowFiles.count(src / inc))
                        continue;
                    windowFiles.insert(f);
                    grew = true;
                    break;
                }
            }
        }
    }

    // folder: the floor of a file of src/, empty for a file outside it.
    void checkFile(const fs::path& file, const std::string& folder)
    {
        ++files;
        const std::string text = read(file);
        const std::string own = file.stem().string();
        const bool window = !folder.empty() && windowFiles.count(file) > 0;
        const int ownRank = folder.empty() ? -1 : rank(folder);

        std::istringstream lines(text);
        std::string line;
        int number = 0;
        bool inComment = false;
        while (std::getline(lines, line)) {
            ++number;
            const std::string code = withoutComments(line, inComment);
            checkInclude(file, number, line, code, folder, ownRank, own, text);
            if (window)
                checkStatement(file, number, code);
            if (!folder.empty() && file.filename() != "settingkeys.h" && file.stem() != "settings")
                checkSettingKey(file, number, code);
        }
    }

    // The line's code: comments and the texts of string literals left out.
    static std::string withoutComments(const std::string& line, bool& inComment)
    {
        std::string out;
        bool inString = false;
        for (size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            const char next = i + 1 < line.size() ? line[i + 1] : '\0';
            if (inComment) {
                if (c == '*' && next == '/') {
                    inComment = false;
                    ++i;
                }
                continue;
            }
            if (inString) {
                if (c == '\\')
                    ++i;
                else if (c == '"') {
                    inString = false;
                    out += c;
                }
                continue;
            }
            if (c == '/' && next == '/')
                break;
            if (c == '/' && next == '*') {
                inComment = true;
                ++i;
                continue;
            }
            if (c == '"')
                inString = true;
            out += c;
        }
        return out;
    }

    // raw: the line as written; code: the same without comments (an
    // include in a comment is none), whose literal texts are gone, so the
    // path is read from raw.
    void checkInclude(const fs::path& file, int number, const std::string& raw, const std::string& code,
                      const std::string& folder, int ownRank, const std::string& own, const std::string& text)
    {
        static const std::regex directive(R"(^\s*#\s*include\s*[<"])");
        if (!std::regex_search(code, directive))
            return;
        static const std::regex include(R"(^\s*#\s*include\s*([<"])([^">]+)[">])");
        std::smatch m;
        if (!std::regex_search(raw, m, include))
            return;
        const std::string path = m[2];
        if (path.find("..") != std::string::npos)
            fault(file, number, "includes " + path + " by a relative path; name the floor's folder from src/");
        const auto slash = path.find('/');
        if (slash != std::string::npos && !folder.empty()) {
            const int theirs = rank(path.substr(0, slash));
            if (theirs > ownRank)
                fault(file, number, folder + " includes " + path + ", a floor above it");
        }
        const std::string name = fs::path(path).filename().string();
        if (name.rfind("ui_", 0) == 0 && name.size() > 5 && name.substr(name.size() - 2) == ".h") {
            const std::string design = name.substr(3, name.size() - 5);
            bool allowed = false;
            if (!folder.empty()) {
                const auto cls = designClass.find(design);
                allowed = design == own
                          || (cls != designClass.end() && text.find("new Ui::" + cls->second) != std::string::npos);
            }
            if (!allowed)
                fault(file, number, "includes " + name + ", the design of another window");
        }
        if (!folder.empty() && windowFiles.count(file)
            && (path == "core/db.h" || path == "core/rowscan.h" || path.rfind("QSql", 0) == 0
                || path.rfind("QtSql", 0) == 0))
            fault(file, number, "a window file includes " + path + ": its statements belong in a store");
    }

    void checkStatement(const fs::path& file, int number, const std::string& code)
    {
        static const std::regex statement(R"(\b(objConn|QSql[A-Za-z]*|Connection|Query|RowScan)\b)");
        std::smatch m;
        if (std::regex_search(code, m, statement))
            fault(file, number, "a window file uses " + m[1].str() + ": its statements belong in a store");
    }

    void checkSettingKey(const fs::path& file, int number, const std::string& code)
    {
        static const std::regex literal(
            R"re(\b((?:Save)?(?:Config|Options)(?:Text|Flag|Money|LeadingNumber|Decimal|Int)|GetSetting|SaveSetting)\s*\(\s*(?:[A-Za-z_:]+\s*\(\s*)?u?")re"
            R"re(|\bSaveConfigTexts\s*\(\s*\{\s*\{)re");
        std::smatch m;
        if (std::regex_search(code, m, literal))
            fault(file, number, "names a setting by a literal key: use its declaration in core/settingkeys.h");
    }

    void checkTree(const fs::path& dir, const std::string& folder, bool recurse)
    {
        if (!fs::exists(dir))
            return;
        std::vector<fs::path> paths;
        if (recurse) {
            for (const auto& f : fs::recursive_directory_iterator(dir))
                paths.push_back(f.path());
        } else {
            for (const auto& f : fs::directory_iterator(dir))
                paths.push_back(f.path());
        }
        for (const fs::path& p : paths) {
            const std::string ext = p.extension().string();
            if (fs::is_regular_file(p) && (ext == ".cpp" || ext == ".h"))
                checkFile(p, folder);
        }
    }

    void run()
    {
        const fs::path src = root / "src";
        readDesigns(src);
        std::vector<fs::path> folders;
        for (const auto& f : fs::directory_iterator(src))
            if (f.is_directory())
                folders.push_back(f.path());
        std::sort(folders.begin(), folders.end());
        std::vector<fs::path> sources;
        for (const fs::path& folder : folders)
            for (const auto& f : fs::directory_iterator(folder)) {
                const std::string ext = f.path().extension().string();
                if (f.is_regular_file() && (ext == ".cpp" || ext == ".h"))
                    sources.push_back(f.path());
            }
        readWindows(sources);
        for (const fs::path& folder : folders) {
            const std::string name = folder.filename().string();
            if (rank(name) < 0) {
                fault(folder, 0, "a folder that is no floor (add it to the floors in CMakeLists.txt)");
                continue;
            }
            checkTree(folder, name, false);
        }
        checkTree(root / "tests", std::string(), true);
        checkTree(root / "bench", std::string(), true);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    Checker c;
    std::string floors;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--floors" && i + 1 < argc)
            floors = argv[++i];
        else
            c.root = a;
    }
    if (floors.empty() || c.root.empty()) {
        std::cerr << "usage: checksource --floors core,invoicing,... SOURCE_ROOT\n";
        return 2;
    }
    std::stringstream s(floors);
    for (std::string f; std::getline(s, f, ',');)
        c.floors.push_back(f);
    if (!fs::is_directory(c.root / "src")) {
        std::cerr << "checksource: no src/ in " << c.root << '\n';
        return 2;
    }
    c.run();
    if (c.faults > 0)
        return 1;
    std::cout << "checksource: " << c.files << " files; every include stays on its floor or below, "
              << "no window runs a statement, every window includes only its own design, and every setting is named by "
                 "its declaration\n";
    return 0;
}
