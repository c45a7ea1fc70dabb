// Checks the shape of the source tree in one pass over its files:
//   - every folder of src/ is a floor, and no include names a floor above
//     its own (in either form, "floor/x.h" or <floor/x.h>);
//   - no include climbs with "..", inside or outside src/;
//   - a window's design is its own: a file of src/ includes ui_x.h only when
//     it is x.cpp or builds the design's class itself (new Ui::Class), and
//     nothing outside src/ includes one (tests reach controls by name);
//   - a window file (one with a .ui of the same name beside it) runs no
//     statement: it names neither the connection nor a query and includes
//     neither core/db.h nor a Qt Sql header.
//
//   checksource --floors core,invoicing,... SOURCE_ROOT
// prints each fault as "file:line: what" and exits 1 when there is one.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
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

    // folder: the floor of a file of src/, empty for a file outside it.
    void checkFile(const fs::path& file, const std::string& folder)
    {
        ++files;
        const std::string text = read(file);
        const std::string own = file.stem().string();
        const bool window = !folder.empty() && fs::exists(file.parent_path() / (own + ".ui"));
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
        if (!folder.empty() && fs::exists(file.parent_path() / (own + ".ui"))
            && (path == "core/db.h" || path.rfind("QSql", 0) == 0 || path.rfind("QtSql", 0) == 0))
            fault(file, number, "a window file includes " + path + ": its statements belong in a store");
    }

    void checkStatement(const fs::path& file, int number, const std::string& code)
    {
        static const std::regex statement(R"(\b(objConn|QSql[A-Za-z]*|Connection|Query)\b)");
        std::smatch m;
        if (std::regex_search(code, m, statement))
            fault(file, number, "a window file uses " + m[1].str() + ": its statements belong in a store");
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
              << "no window runs a statement, and every window includes only its own design\n";
    return 0;
}
