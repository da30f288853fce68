// Numbered message files of the error stack. A code selects its file by
// code / 100000 and its entry by code mod 100000. Files are read
// defensively: every size, offset and shift is checked against the file and
// the text buffer, and the texts are always terminated; a file that fails a
// check counts as absent.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include <sys/stat.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include "Statistics/ErrorState.h"

namespace stats_internal {

namespace {

const char* const kFileNames[3] = {"stats_e.bin", "egerr.bin", "XXXXXX.bin"};
constexpr std::uint16_t kMagic = 29432;  // 0x72F8

struct MessageFile {
    int status = 0;  // 0 not yet opened, 1 failed, 2 ready
    std::FILE* file = nullptr;
    std::uint16_t header[7] = {};
    std::vector<std::uint16_t> keys;
    std::vector<std::uint16_t> offsets;
    long base = 0;
    long size = 0;
    unsigned shift = 0;
    bool swap = false;
    std::vector<char> text;  // A + B + 2 bytes
    bool textValid = false;
    std::int32_t lastCode = 0;
    std::size_t textLength = 0;
};

MessageFile g_files[3];

void closeFile(MessageFile& f) {
    if (f.file != nullptr) std::fclose(f.file);
    f = MessageFile();
}

std::string environmentValue(const std::string& name, std::size_t limit) {
#ifdef _WIN32
    std::vector<char> buffer(limit + 1, '\0');
    DWORD n = GetEnvironmentVariableA(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0 || n > limit) return std::string();
    return std::string(buffer.data(), n);
#else
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) return std::string();
    std::string result = value;
    if (result.size() > limit) return std::string();
    return result;
#endif
}

bool environmentIsSet(const std::string& name) {
#ifdef _WIN32
    char probe[1];
    return GetEnvironmentVariableA(name.c_str(), probe, 1) != 0;
#else
    return std::getenv(name.c_str()) != nullptr;
#endif
}

std::string searchList() {
    ErrorState& s = state();
    std::string path;
    if (s.searchPathSet)
        path = s.searchPath;
    else if (environmentIsSet("STATSERRPATH"))
        path = environmentValue("STATSERRPATH", 260);
    else
        path = ".;$LIB;/lib;c:/lib";
    std::string joined;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = path.find(';', start);
        std::string element = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        bool keep = true;
        if (!element.empty() && element[0] == '$') {
            const std::string name = element.substr(1);
            keep = environmentIsSet(name);
            if (keep) element = environmentValue(name, 1024);
        }
        if (keep) {
            if (!joined.empty()) joined += ';';
            joined += element;
        }
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return joined;
}

bool isRegularFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == S_IFREG;
}

bool findFile(const std::string& list, const char* name, std::string* found) {
#ifdef _WIN32
    char buffer[1024];
    DWORD n = SearchPathA(list.c_str(), name, nullptr, sizeof buffer, buffer, nullptr);
    if (n == 0 || n >= sizeof buffer) return false;
    *found = std::string(buffer, n);
    return isRegularFile(*found);
#else
    std::size_t start = 0;
    for (;;) {
        std::size_t end = list.find(';', start);
        std::string dir = list.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!dir.empty()) {
            std::string candidate = dir;
            if (candidate.back() != '/') candidate += '/';
            candidate += name;
            if (candidate.size() < 1024 && isRegularFile(candidate)) {
                *found = candidate;
                return true;
            }
        }
        if (end == std::string::npos) return false;
        start = end + 1;
    }
#endif
}

std::uint16_t word(const unsigned char* p, bool swap) {
    return swap ? static_cast<std::uint16_t>((p[0] << 8) | p[1]) : static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

bool readWords(std::FILE* file, std::vector<std::uint16_t>& out, std::size_t count, bool swap) {
    std::vector<unsigned char> raw(count * 2);
    if (count > 0 && std::fread(raw.data(), 1, raw.size(), file) != raw.size()) return false;
    out.resize(count);
    for (std::size_t i = 0; i < count; ++i) out[i] = word(&raw[2 * i], swap);
    return true;
}

// Opens the file and reads its tables; returns the reason on failure.
bool openFile(MessageFile& f, const char* name, std::string* reason) {
    std::string path;
    if (!findFile(searchList(), name, &path)) {
        *reason = "File not found";
        return false;
    }
    f.file = std::fopen(path.c_str(), "rb");
    if (f.file == nullptr) {
        *reason = "File not found";
        return false;
    }
    const char* badFormat = "File is not in statserr.bin format";
    if (std::fseek(f.file, 0, SEEK_END) != 0 || (f.size = std::ftell(f.file)) < 0 ||
        std::fseek(f.file, 0, SEEK_SET) != 0) {
        *reason = "Cannot seek to correct location";
        return false;
    }
    unsigned char raw[14];
    if (std::fread(raw, 1, sizeof raw, f.file) != sizeof raw) {
        *reason = badFormat;
        return false;
    }
    if (word(raw, false) == kMagic)
        f.swap = false;
    else if (word(raw, true) == kMagic)
        f.swap = true;
    else {
        *reason = badFormat;
        return false;
    }
    for (int i = 0; i < 7; ++i) f.header[i] = word(raw + 2 * i, f.swap);
    const std::size_t n = f.header[2];
    f.shift = f.header[6] & 0xFFu;
    if (f.shift > 15) {
        *reason = badFormat;
        return false;
    }
    try {
        if (!readWords(f.file, f.keys, n, f.swap) || !readWords(f.file, f.offsets, n + 1, f.swap)) {
            *reason = badFormat;
            return false;
        }
        f.text.assign(static_cast<std::size_t>(f.header[4]) + f.header[5] + 2, '\0');
    } catch (const std::bad_alloc&) {
        *reason = "Out-of-space";
        return false;
    }
    long base = static_cast<long>(4 * n + 15);
    if (f.shift > 0) {
        const long unit = 1L << f.shift;
        base = (base + unit - 1) / unit * unit;
    }
    f.base = base;
    // Every entry must start inside the file, in ascending order.
    for (std::size_t i = 0; i < n; ++i) {
        if (f.offsets[i + 1] < f.offsets[i] ||
            static_cast<std::int64_t>(f.base) + (static_cast<std::int64_t>(f.offsets[i]) << f.shift) >= f.size) {
            *reason = badFormat;
            return false;
        }
    }
    return true;
}

void reportOpenFailure(MessageFile& f, const char* name, const std::string& reason) {
    if (f.file != nullptr) std::fclose(f.file);
    f = MessageFile();
    f.status = 1;
    reportFileProblem(std::string("Error in reading ") + name + "\n" + reason + ".\n");
}

// Finds the entry of a code; fills the template and the name. False when the
// code has no entry.
bool lookUp(std::int32_t code, std::string* messageTemplate, std::string* codeName) {
    if (code < 0) return false;
    const std::int32_t which = code / 100000;
    if (which > 2) return false;
    ErrorState& s = state();
    const char* name = kFileNames[which];
    s.fileName = name;
    MessageFile& f = g_files[which];
    if (f.status == 0) {
        std::string reason;
        if (openFile(f, name, &reason))
            f.status = 2;
        else
            reportOpenFailure(f, name, reason);
    }
    if (f.status != 2) return false;
    const std::uint16_t key = static_cast<std::uint16_t>(code % 100000);
    std::size_t low = 0, high = f.keys.size();
    bool found = false;
    std::size_t index = 0;
    while (low < high) {
        std::size_t mid = low + (high - low) / 2;
        if (f.keys[mid] == key) {
            found = true;
            index = mid;
            break;
        }
        if (f.keys[mid] < key)
            low = mid + 1;
        else
            high = mid;
    }
    if (!found) return false;
    if (!f.textValid || f.lastCode != code) {
        f.textValid = false;
        // Checked against the file size when the file was opened.
        const long start =
            static_cast<long>(static_cast<std::int64_t>(f.base) + (static_cast<std::int64_t>(f.offsets[index]) << f.shift));
        std::size_t want = (static_cast<std::size_t>(f.offsets[index + 1] - f.offsets[index]) + 1) << f.shift;
        if (want > f.text.size() - 1) want = f.text.size() - 1;
        if (std::fseek(f.file, start, SEEK_SET) != 0) {
            reportFileProblem(std::string("Error in reading ") + name + " for error message " + std::to_string(code) +
                              ".\nCannot seek to correct location.\n");
            closeFile(f);
            f.status = 1;
            return false;
        }
        std::size_t got = std::fread(f.text.data(), 1, want, f.file);
        if (got == 0) {
            reportFileProblem(std::string("Error in reading ") + name + " for error message " + std::to_string(code) +
                              ".\nShort read.\n");
            closeFile(f);
            f.status = 1;
            return false;
        }
        f.text[got] = '\0';
        f.text[f.text.size() - 1] = '\0';
        f.textLength = got;
        f.textValid = true;
        f.lastCode = code;
    }
    const char* first = f.text.data();
    const std::size_t firstLength = std::strlen(first);
    *messageTemplate = first;
    *codeName = firstLength < f.textLength ? std::string(first + firstLength + 1) : std::string();
    return true;
}

}  // namespace

void reportFileProblem(const std::string& text) {
#ifdef _WIN32
    if (state().printerCode == STATS_PRINTER_MESSAGE_BOX) {
        char path[MAX_PATH + 1] = {0};
        DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        path[length < MAX_PATH ? length : MAX_PATH] = '\0';
        const char* title = path;
        for (const char* p = path; *p != '\0'; ++p)
            if (*p == '\\') title = p + 1;
        MessageBoxA(nullptr, text.c_str(), title, MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
        return;
    }
#endif
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}

}  // namespace stats_internal

using namespace stats_internal;

std::string l_message_text(std::int32_t code) {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    std::string text, name;
    if (lookUp(code, &text, &name)) return text;
    return "Error code " + std::to_string(code) + ".";
}

std::string l_message_code_name(std::int32_t code) {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    std::string text, name;
    if (lookUp(code, &text, &name) && !name.empty()) return name;
    return std::to_string(code);
}

void l_message_files_release() {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    for (MessageFile& f : g_files) closeFile(f);
}
