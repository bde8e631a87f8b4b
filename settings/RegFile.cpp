#include "settings/RegFile.h"

#include <cctype>
#include <fstream>
#include <sstream>
#include <vector>

namespace brisbolt {

namespace {

struct Line {
    int number;
    std::string text;
};

std::string Trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return std::string(s.substr(b, e - b));
}

// Splits into logical lines: a line ending in a backslash after hex data
// goes on with the next one.
std::vector<Line> LogicalLines(std::string_view text) {
    std::vector<Line> lines;
    int number = 0;
    bool continuing = false;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string line = Trim(text.substr(start, end - start));
        ++number;
        if (continuing)
            lines.back().text += line;
        else
            lines.push_back({number, line});
        continuing = !lines.back().text.empty() && lines.back().text.back() == '\\' &&
                     lines.back().text.find("=hex") != std::string::npos;
        if (continuing) lines.back().text.pop_back();
        start = end + 1;
    }
    return lines;
}

class Parser {
public:
    Parser(RegistryBackend& registry, std::string source) : registry_(registry), source_(std::move(source)) {}

    void Run(std::string_view text) {
        auto lines = LogicalLines(text);
        std::size_t i = 0;
        while (i < lines.size() && lines[i].text.empty()) ++i;
        if (i == lines.size() || lines[i].text != "REGEDIT4")
            Fail(i < lines.size() ? lines[i].number : 1, "the first line must be REGEDIT4");
        for (++i; i < lines.size(); ++i) {
            const auto& line = lines[i];
            if (line.text.empty() || line.text[0] == ';') continue;
            if (line.text[0] == '[')
                Section(line);
            else
                Value(line);
        }
    }

private:
    [[noreturn]] void Fail(int line, const std::string& message) {
        throw RegFileError(source_ + ":" + std::to_string(line) + ": " + message);
    }

    void Section(const Line& line) {
        if (line.text.back() != ']') Fail(line.number, "a key line must end with ]");
        std::string name = line.text.substr(1, line.text.size() - 2);
        const bool remove = !name.empty() && name[0] == '-';
        if (remove) name.erase(0, 1);
        const auto slash = name.find('\\');
        const std::string rootName = name.substr(0, slash);
        const std::string path = slash == std::string::npos ? std::string() : name.substr(slash + 1);
        if (rootName == "HKEY_CURRENT_USER" || rootName == "HKCU")
            root_ = RootKey::CurrentUser;
        else if (rootName == "HKEY_LOCAL_MACHINE" || rootName == "HKLM")
            root_ = RootKey::LocalMachine;
        else
            Fail(line.number, "unknown root \"" + rootName + "\"");
        if (SplitKeyPath(path).empty()) Fail(line.number, "a key below the root is needed");
        key_.reset();
        if (remove) {
            // Removing a key that is not there is no error, as in regedit.
            static_cast<void>(registry_.DeleteKeyTree(root_, path));
            return;
        }
        key_ = registry_.OpenForWriting(root_, path, true);
        if (!key_) Fail(line.number, "cannot create key \"" + name + "\"");
    }

    // A quoted string starting at text[pos]; pos ends after the closing quote.
    std::string Quoted(const Line& line, std::size_t& pos) {
        std::string out;
        for (++pos; pos < line.text.size(); ++pos) {
            char c = line.text[pos];
            if (c == '"') {
                ++pos;
                return out;
            }
            if (c == '\\') {
                if (++pos == line.text.size()) break;
                c = line.text[pos];
                if (c != '\\' && c != '"') Fail(line.number, std::string("unknown escape \\") + c);
            }
            out += c;
        }
        Fail(line.number, "missing closing quote");
    }

    std::vector<std::uint8_t> HexBytes(const Line& line, std::string_view list) {
        std::vector<std::uint8_t> bytes;
        std::string item;
        std::stringstream items{std::string(list)};
        while (std::getline(items, item, ',')) {
            item = Trim(item);
            if (item.empty() && bytes.empty() && items.eof()) break;
            if (item.size() != 2 || !std::isxdigit(static_cast<unsigned char>(item[0])) ||
                !std::isxdigit(static_cast<unsigned char>(item[1])))
                Fail(line.number, "bad hex byte \"" + item + "\"");
            bytes.push_back(static_cast<std::uint8_t>(std::stoul(item, nullptr, 16)));
        }
        return bytes;
    }

    void Value(const Line& line) {
        if (!key_) Fail(line.number, "a value outside of any key");
        std::size_t pos = 0;
        std::string name;
        if (line.text[0] == '@')
            pos = 1;
        else if (line.text[0] == '"')
            name = Quoted(line, pos);
        else
            Fail(line.number, "a value line must start with \" or @");
        while (pos < line.text.size() && line.text[pos] == ' ') ++pos;
        if (pos >= line.text.size() || line.text[pos] != '=') Fail(line.number, "missing =");
        const std::string data = Trim(std::string_view(line.text).substr(pos + 1));

        if (data == "-") {
            // Likewise for a value that is not there.
            static_cast<void>(key_->Delete(name));
            return;
        }
        RawValue value;
        if (!data.empty() && data[0] == '"') {
            std::size_t at = 0;
            Line inner{line.number, data};
            value = StringValue(Quoted(inner, at));
            if (at != data.size()) Fail(line.number, "text after the closing quote");
        } else if (data.rfind("dword:", 0) == 0) {
            const std::string digits = data.substr(6);
            if (digits.empty() || digits.size() > 8 ||
                digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                Fail(line.number, "bad dword \"" + digits + "\"");
            value = DwordValue(static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16)));
        } else if (data.rfind("hex:", 0) == 0) {
            value = RawValue{RegBinary, HexBytes(line, std::string_view(data).substr(4))};
        } else if (data.rfind("hex(", 0) == 0) {
            const auto close = data.find("):");
            const std::string type = close == std::string::npos ? std::string() : data.substr(4, close - 4);
            if (type.empty() || type.size() > 8 ||
                type.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                Fail(line.number, "bad hex(type)");
            value = RawValue{static_cast<std::uint32_t>(std::stoul(type, nullptr, 16)),
                             HexBytes(line, std::string_view(data).substr(close + 2))};
        } else {
            Fail(line.number, "unknown value data \"" + data + "\"");
        }
        if (!key_->Set(name, value)) Fail(line.number, "cannot write \"" + name + "\"");
    }

    RegistryBackend& registry_;
    std::string source_;
    RootKey root_ = RootKey::CurrentUser;
    KeyHandle key_;
};

}  // namespace

void LoadRegText(RegistryBackend& registry, std::string_view text, const std::string& source) {
    Parser(registry, source).Run(text);
}

void LoadRegFile(RegistryBackend& registry, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw RegFileError(path + ": cannot open the file");
    std::stringstream text;
    text << in.rdbuf();
    LoadRegText(registry, text.str(), path);
}

}  // namespace brisbolt
