#include "job/TextEncoding.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <locale.h>
#include <map>
#include <memory>
#include <wctype.h>

namespace ovb {

namespace {

class Converter {
  public:
    Converter(const std::string& to, const std::string& from)
        : cd_(iconv_open(to.c_str(), from.c_str())) {
        const std::string_view ascii =
            " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ"
            "[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~";
        asciiKept_ = ok() && convert(ascii) == ascii;
    }
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != iconv_t(-1); }

    std::optional<std::string> convert(std::string_view in) {
        // Most paths are plain ASCII, which nearly every code page keeps as it is.
        if (asciiKept_ && std::all_of(in.begin(), in.end(), [](char c) { return c > 0; }))
            return std::string(in);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out(in.size() * 4 + 16, '\0');
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size(), done = 0;
        for (;;) {
            char* dst = out.data() + done;
            std::size_t dstLeft = out.size() - done;
            const std::size_t r = srcLeft ? iconv(cd_, &src, &srcLeft, &dst, &dstLeft)
                                          : iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
            done = out.size() - dstLeft;
            if (r != std::size_t(-1) && srcLeft == 0) break;
            if (r == std::size_t(-1) && errno != E2BIG) return std::nullopt;
            if (r == std::size_t(-1)) out.resize(out.size() * 2);
        }
        out.resize(done);
        return out;
    }

  private:
    iconv_t cd_;
    bool asciiKept_ = false;
};

using Converters = std::map<std::string, std::unique_ptr<Converter>, std::less<>>;

// One converter per direction and code page for each thread (iconv keeps state per handle).
Converter& ConverterFor(Converters& cache, const std::string& codePage, bool toUtf8) {
    auto it = cache.find(codePage);
    if (it == cache.end())
        it = cache
                 .emplace(codePage, toUtf8 ? std::make_unique<Converter>("UTF-8", codePage)
                                           : std::make_unique<Converter>(codePage, "UTF-8"))
                 .first;
    return *it->second;
}

Converter& Decoder(const std::string& codePage) {
    thread_local Converters cache;
    return ConverterFor(cache, codePage, true);
}

Converter& Encoder(const std::string& codePage) {
    thread_local Converters cache;
    return ConverterFor(cache, codePage, false);
}

// Decodes one UTF-8 sequence at text[i]; returns its length, 0 when it is not valid.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& c) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char lead = b(0);
    std::size_t n = lead < 0x80       ? 1
                    : lead >> 5 == 6  ? 2
                    : lead >> 4 == 14 ? 3
                    : lead >> 3 == 30 ? 4
                                      : 0;
    if (n == 0 || i + n > text.size()) return 0;
    c = n == 1 ? lead : lead & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(k) & 0xC0) != 0x80) return 0;
        c = c << 6 | (b(k) & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kLeast[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return n;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | c >> 6);
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | c >> 12);
        out += char(0x80 | (c >> 6 & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | c >> 18);
        out += char(0x80 | (c >> 12 & 0x3F));
        out += char(0x80 | (c >> 6 & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// The C library's full Unicode letter case, whatever locale the program runs in; without it only
// ASCII letters fold.
locale_t UnicodeLocale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
    return locale;
}

} // namespace

bool IsValidUtf8(std::string_view bytes) {
    char32_t c;
    for (std::size_t i = 0, n; i < bytes.size(); i += n) {
        n = 1;
        if (bytes[i] >= 0) continue; // ASCII, the most of every path
        if ((n = DecodeUtf8(bytes, i, c)) == 0) return false;
    }
    return true;
}

bool IsKnownCodePage(const std::string& codePage) {
    return !codePage.empty() && Decoder(codePage).ok() && Encoder(codePage).ok();
}

std::optional<std::string> CodePageToUtf8(std::string_view bytes, const std::string& codePage) {
    Converter& c = Decoder(codePage);
    return c.ok() ? c.convert(bytes) : std::nullopt;
}

std::optional<std::string> Utf8ToCodePage(std::string_view utf8, const std::string& codePage) {
    Converter& c = Encoder(codePage);
    return c.ok() && IsValidUtf8(utf8) ? c.convert(utf8) : std::nullopt;
}

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes)
        AppendUtf8(out, b);
    return out;
}

std::string FirstUnencodable(std::string_view utf8, const std::string& codePage) {
    char32_t c;
    for (std::size_t i = 0, n; i < utf8.size(); i += n) {
        n = DecodeUtf8(utf8, i, c);
        if (n == 0) return std::string(utf8.substr(i, 1));
        if (!Utf8ToCodePage(utf8.substr(i, n), codePage)) return std::string(utf8.substr(i, n));
    }
    return {};
}

std::string FoldCase(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    const locale_t locale = UnicodeLocale();
    char32_t c;
    for (std::size_t i = 0, n; i < utf8.size(); i += n) {
        n = 1;
        const char b = utf8[i];
        if (b >= 0) {
            out += b >= 'A' && b <= 'Z' ? char(b + 32) : b;
        } else if ((n = DecodeUtf8(utf8, i, c)) == 0) {
            out += b;
            n = 1;
        } else {
            AppendUtf8(out, locale ? char32_t(towlower_l(wint_t(c), locale)) : c);
        }
    }
    return out;
}

} // namespace ovb
