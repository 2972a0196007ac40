// The registry of the posix backend: a small text file holding keys and their
// string values. Every operation reads the file afresh and every change
// replaces it atomically (ReplaceWholeFile), so a value saved by one process is what the next
// reader in any process sees.
//
// Lines: "K<TAB>key path" for a key, "V<TAB>key path<TAB>name<TAB>value" for a
// value. Backslash, tab, CR, LF and other control bytes are escaped, so any
// byte string survives. Names match case-insensitively, as in the registry.

#include "runtime/RegIniFile.h"

#include "runtime/AnsiText.h"
#include "runtime/Exception.h"
#include "runtime/FileNames.h"
#include "runtime/FileSystem.h"
#include "runtime/Messages.h"
#include "runtime/RegistryPath.h"
#include "runtime/SystemError.h"

#include "runtime/posix/PosixFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

struct TRegValue {
    std::string Name;
    std::string Data;
};

struct TRegKeyEntry {
    std::string Path;
    std::vector<TRegValue> Values;
};

using TRegStore = std::vector<TRegKeyEntry>;

std::string StorePath() {
    if (const char* path = std::getenv("PELLMARK_REGISTRY"); path != nullptr && *path != '\0')
        return path;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0')
        return std::string(config) + "/pellmark-registry";
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return std::string(home) + "/.config/pellmark-registry";
    throw ERegistryException(Messages::RegistryStoreUnlocated());
}

std::string ErrnoText(int error = errno) {
    return SystemErrorMessage(static_cast<unsigned long>(error));
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && AnsiLowerCase(a) == AnsiLowerCase(b);
}

std::string Escape(std::string_view text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                out += "\\x";
                out += hex[c >> 4];
                out += hex[c & 0x0F];
            } else {
                out += ch;
            }
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool Unescape(std::string_view text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return false;
        switch (text[i]) {
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        case 'n':
            out += '\n';
            break;
        case 'x': {
            if (i + 2 >= text.size())
                return false;
            const int high = HexDigit(text[i + 1]);
            const int low = HexDigit(text[i + 2]);
            if (high < 0 || low < 0)
                return false;
            out += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos)
            return fields;
        line.remove_prefix(tab + 1);
    }
}

TRegKeyEntry* FindKey(TRegStore& store, const std::string& path) {
    for (TRegKeyEntry& key : store)
        if (SameName(key.Path, path))
            return &key;
    return nullptr;
}

TRegKeyEntry& FindOrAddKey(TRegStore& store, const std::string& path) {
    if (TRegKeyEntry* key = FindKey(store, path))
        return *key;
    store.push_back({path, {}});
    return store.back();
}

TRegStore LoadStore(const std::string& path) {
    TRegStore store;
    const TReadResult read = ReadWholeFile(path);
    if (read.Status == TReadStatus::Missing)
        return store;
    if (read.Status == TReadStatus::Unreadable)
        throw ERegistryException(Messages::RegistryStoreReadFailed(path, ErrnoText(read.Error)));
    const std::string& content = read.Bytes;
    std::size_t lineNumber = 0;
    std::string_view rest = content;
    while (!rest.empty()) {
        ++lineNumber;
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (line.empty())
            continue;
        const auto fields = SplitTabs(line);
        std::string keyPath, name, data;
        bool ok = fields.size() >= 2 && Unescape(fields[1], keyPath);
        if (ok && fields[0] == "K" && fields.size() == 2) {
            FindOrAddKey(store, keyPath);
        } else if (ok && fields[0] == "V" && fields.size() == 4 && Unescape(fields[2], name) &&
                   Unescape(fields[3], data)) {
            FindOrAddKey(store, keyPath).Values.push_back({name, data});
        } else {
            // Rewriting the store would silently drop what we cannot read.
            throw ERegistryException(Messages::RegistryStoreDamaged(path, lineNumber));
        }
    }
    return store;
}

void SaveStore(const std::string& path, const TRegStore& store) {
    std::string text;
    for (const TRegKeyEntry& key : store) {
        text += "K\t" + Escape(key.Path) + "\n";
        for (const TRegValue& value : key.Values)
            text += "V\t" + Escape(key.Path) + "\t" + Escape(value.Name) + "\t" +
                    Escape(value.Data) + "\n";
    }
    const std::size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !ForceDirectories(path.substr(0, slash)))
        throw ERegistryException(
            Messages::RegistryStoreFolderFailed(path.substr(0, slash), ErrnoText()));

    if (std::string reason = ReplaceWholeFile(path, text, 0600); !reason.empty())
        throw ERegistryException(Messages::RegistryStoreWriteFailed(path, reason));
}

} // namespace

struct TRegIniFile::Impl {
    std::string StoreFile;
    std::string KeyPath;

    std::string SectionPath(const std::string& section) const {
        const std::string sub = NormaliseKeyPath(section);
        if (sub.empty())
            return KeyPath;
        return KeyPath.empty() ? sub : KeyPath + "\\" + sub;
    }
};

TRegIniFile::TRegIniFile(const std::string& keyPath) : FImpl(std::make_unique<Impl>()) {
    FImpl->StoreFile = StorePath();
    FImpl->KeyPath = NormaliseKeyPath(keyPath);
    TRegStore store = LoadStore(FImpl->StoreFile);
    if (FindKey(store, FImpl->KeyPath) == nullptr) {
        store.push_back({FImpl->KeyPath, {}});
        SaveStore(FImpl->StoreFile, store);
    }
}

TRegIniFile::~TRegIniFile() = default;

std::string TRegIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& def) {
    TRegStore store = LoadStore(FImpl->StoreFile);
    const TRegKeyEntry* key = FindKey(store, FImpl->SectionPath(section));
    if (key == nullptr)
        return def;
    for (const TRegValue& value : key->Values)
        if (SameName(value.Name, ident))
            return value.Data;
    return def;
}

void TRegIniFile::WriteString(const std::string& section, const std::string& ident,
                              const std::string& value) {
    TRegStore store = LoadStore(FImpl->StoreFile);
    TRegKeyEntry& key = FindOrAddKey(store, FImpl->SectionPath(section));
    // A string value ends at its first NUL, as a REG_SZ value does.
    std::string data = value.substr(0, value.find('\0'));
    bool replaced = false;
    for (TRegValue& existing : key.Values)
        if (SameName(existing.Name, ident)) {
            existing.Data = data;
            replaced = true;
            break;
        }
    if (!replaced)
        key.Values.push_back({ident, std::move(data)});
    SaveStore(FImpl->StoreFile, store);
}
