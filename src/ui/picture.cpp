// The input-picture rules shared by the Qt input box and the scripted one.
#include "ui/picture.h"

#include <stdexcept>

#include "common/date.h"
#include "common/text.h"

namespace kavrina::ui {

namespace {

constexpr std::size_t kDateLength = 10;  // "dd.mm.yyyy"

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool allOf(std::string_view text, char wanted) {
  for (char c : text) {
    if (c != wanted) return false;
  }
  return true;
}

// Control characters (C0 and DEL) never belong in an edited value.
bool hasControlCharacter(std::string_view text) {
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return true;
  }
  return false;
}

using text::trimBlanks;

}  // namespace

std::optional<std::size_t> utf8Length(std::string_view text) {
  std::size_t count = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t extra = 0;
    if (lead < 0x80) {
      extra = 0;
    } else if ((lead & 0xE0) == 0xC0 && lead >= 0xC2) {
      extra = 1;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2;
    } else if ((lead & 0xF8) == 0xF0 && lead <= 0xF4) {
      extra = 3;
    } else {
      return std::nullopt;
    }
    if (i + extra >= text.size()) return std::nullopt;  // sequence cut short
    for (std::size_t k = 1; k <= extra; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return std::nullopt;
    }
    i += extra + 1;
    ++count;
  }
  return count;
}

Picture parsePicture(std::string_view picture) {
  if (picture.empty()) return {PictureKind::Free, 0};
  if (picture == kDatePicture) return {PictureKind::Date, kDateLength};
  if (allOf(picture, '9')) return {PictureKind::Digits, picture.size()};
  if (allOf(picture, 'X')) return {PictureKind::Text, picture.size()};
  throw std::invalid_argument("unsupported input picture \"" + std::string(picture) + "\"");
}

bool pictureAllowsTyping(const Picture& picture, std::string_view text) {
  const auto length = utf8Length(text);
  if (!length) return false;
  if (picture.maxLength != 0 && *length > picture.maxLength) return false;
  switch (picture.kind) {
    case PictureKind::Free:
    case PictureKind::Text:
      return !hasControlCharacter(text);
    case PictureKind::Digits:
      for (char c : text) {
        if (!isDigit(c) && c != ' ') return false;
      }
      return true;
    case PictureKind::Date:
      for (char c : text) {
        if (!isDigit(c) && c != ' ' && c != '.') return false;
      }
      return true;
  }
  return false;
}

std::optional<std::string> pictureValue(const Picture& picture, std::string_view text) {
  if (!pictureAllowsTyping(picture, text)) return std::nullopt;
  switch (picture.kind) {
    case PictureKind::Free:
    case PictureKind::Text:
      return std::string(text);
    case PictureKind::Digits: {
      const std::string_view digits = trimBlanks(text);
      for (char c : digits) {
        if (!isDigit(c)) return std::nullopt;  // a blank between digits
      }
      return std::string(digits);
    }
    case PictureKind::Date: {
      std::string compact;
      for (char c : text) {
        if (c != ' ') compact += c;
      }
      if (allOf(compact, '.')) return std::string();  // the empty date
      const Date date = Date::fromText(compact);
      if (date.empty()) return std::nullopt;
      return date.toText();
    }
  }
  return std::nullopt;
}

}  // namespace kavrina::ui
