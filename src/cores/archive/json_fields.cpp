#include "json_fields.h"

#include <cstdint>

namespace kov {
namespace {

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool atEnd() {
    skipBlanks();
    return at_ == text_.size();
  }
  bool take(char c) {
    skipBlanks();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  char peek() {
    skipBlanks();
    return at_ < text_.size() ? text_[at_] : '\0';
  }

  // A string; `out` receives it decoded when given.
  bool string(std::string* out) {
    if (!take('"')) return false;
    for (;;) {
      const std::size_t start = at_;
      while (at_ < text_.size() && text_[at_] != '"' && text_[at_] != '\\' &&
             static_cast<unsigned char>(text_[at_]) >= 0x20) {
        ++at_;
      }
      if (out != nullptr) out->append(text_.substr(start, at_ - start));
      if (at_ == text_.size() || static_cast<unsigned char>(text_[at_]) < 0x20) return false;
      if (text_[at_++] == '"') return true;
      if (!escape(out)) return false;
    }
  }

  // A number, true or false: its text.
  bool word(std::string* out) {
    skipBlanks();
    const std::size_t start = at_;
    while (at_ < text_.size() &&
           text_.substr(at_, 1).find_first_of("0123456789+-.eEtrufals") == 0) {
      ++at_;
    }
    const std::string_view read = text_.substr(start, at_ - start);
    if (read.empty() || (read.find_first_of("0123456789") == std::string_view::npos &&
                         read != "true" && read != "false")) {
      return false;
    }
    if (out != nullptr) *out = read;
    return true;
  }

  bool null() {
    skipBlanks();
    if (text_.substr(at_, 4) != "null") return false;
    at_ += 4;
    return true;
  }

 private:
  void skipBlanks() {
    while (at_ < text_.size() &&
           (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\r' || text_[at_] == '\n')) {
      ++at_;
    }
  }

  bool hex4(std::uint32_t& code) {
    if (text_.size() - at_ < 4) return false;
    code = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = text_[at_++];
      int digit = -1;
      if (c >= '0' && c <= '9') digit = c - '0';
      if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
      if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
      if (digit < 0) return false;
      code = code << 4 | static_cast<std::uint32_t>(digit);
    }
    return true;
  }

  static void appendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | code >> 6);
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | code >> 12);
      out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | code >> 18);
      out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  // The escape after a backslash.
  bool escape(std::string* out) {
    if (at_ == text_.size()) return false;
    const char c = text_[at_++];
    char plain = '\0';
    switch (c) {
      case '"':
      case '\\':
      case '/':
        plain = c;
        break;
      case 'b':
        plain = '\b';
        break;
      case 'f':
        plain = '\f';
        break;
      case 'n':
        plain = '\n';
        break;
      case 'r':
        plain = '\r';
        break;
      case 't':
        plain = '\t';
        break;
      case 'u': {
        std::uint32_t code = 0;
        if (!hex4(code)) return false;
        if (code >= 0xD800 && code < 0xDC00) {
          std::uint32_t low = 0;
          if (text_.substr(at_, 2) != "\\u") return false;
          at_ += 2;
          if (!hex4(low) || low < 0xDC00 || low >= 0xE000) return false;
          code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        } else if (code >= 0xDC00 && code < 0xE000) {
          return false;
        }
        if (out != nullptr) appendUtf8(*out, code);
        return true;
      }
      default:
        return false;
    }
    if (out != nullptr) *out += plain;
    return true;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

// An array of byte values (the bytes of one value), or of values each a field of its own.
bool array(Reader& reader, const std::string* name, JsonFields& fields) {
  if (reader.take(']')) return true;
  std::string bytes;
  bool byteValues = false;
  do {
    const char next = reader.peek();
    std::string value;
    std::string* out = name != nullptr ? &value : nullptr;
    if (next == '"') {
      if (!reader.string(out)) return false;
      if (name != nullptr) fields.emplace_back(*name, std::move(value));
    } else if (next == '[') {
      reader.take('[');
      if (!array(reader, name, fields)) return false;
    } else if (!reader.null()) {
      if (!reader.word(&value)) return false;
      const int byte =
          value.find_first_not_of("0123456789") == std::string::npos && value.size() <= 3
              ? std::stoi(value)
              : 256;
      if (byte > 255) return false;
      bytes += static_cast<char>(byte);
      byteValues = true;
    }
  } while (reader.take(','));
  if (byteValues && name != nullptr) fields.emplace_back(*name, std::move(bytes));
  return reader.take(']');
}

}  // namespace

bool readJsonFields(std::string_view line, bool (*keep)(std::string_view name),
                    JsonFields& fields) {
  fields.clear();
  Reader reader(line);
  if (!reader.take('{')) return false;
  if (!reader.take('}')) {
    do {
      std::string name;
      if (!reader.string(&name) || !reader.take(':')) return false;
      const bool kept = keep(name);
      std::string value;
      const char next = reader.peek();
      if (next == '"') {
        if (!reader.string(kept ? &value : nullptr)) return false;
        if (kept) fields.emplace_back(std::move(name), std::move(value));
      } else if (next == '[') {
        reader.take('[');
        if (!array(reader, kept ? &name : nullptr, fields)) return false;
      } else if (!reader.null()) {
        if (!reader.word(&value)) return false;
        if (kept) fields.emplace_back(std::move(name), std::move(value));
      }
    } while (reader.take(','));
    if (!reader.take('}')) return false;
  }
  return reader.atEnd();
}

}  // namespace kov
