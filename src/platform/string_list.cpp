#include "platform/string_list.h"

#include "platform/paths.h"
#include "platform/stream.h"

namespace zel {

int TStringList::Add(std::string text, void* object) {
  items_.push_back({std::move(text), object});
  return Count() - 1;
}

void TStringList::Insert(int i, std::string text) {
  items_.insert(items_.begin() + i, Item{std::move(text), nullptr});
}

void TStringList::Delete(int i) { items_.erase(items_.begin() + i); }

int TStringList::IndexOf(const std::string& text) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(items_[static_cast<size_t>(i)].text, text)) return i;
  return -1;
}

void TStringList::LoadFromFile(const std::string& path) {
  TFileStream file(path, FileMode::kOpenReadShared);
  const int64_t size = file.Size();
  std::string text(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (!text.empty()) file.ReadBuffer(text.data(), static_cast<int32_t>(text.size()));
  SetText(text);
}

void TStringList::SaveToFile(const std::string& path) const {
  TFileStream file(path, FileMode::kCreate);
  const std::string text = Text();
  file.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
}

void TStringList::SetText(const std::string& text) {
  items_.clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    Add(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r') {
      ++end;
      if (end < text.size() && text[end] == '\n') ++end;
    } else if (end < text.size()) {
      ++end;  // a lone LF
    }
    start = end;
  }
}

std::string TStringList::Text() const {
  std::string text;
  for (const Item& item : items_) {
    text += item.text;
    text += "\r\n";
  }
  return text;
}

}  // namespace zel
