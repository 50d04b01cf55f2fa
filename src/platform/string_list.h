// An ordered list of text lines, each with an optional object pointer that the
// list does not own; loads from and saves to text files (lines end in CR LF).
#pragma once

#include <string>
#include <vector>

namespace zel {

class TStringList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  const std::string& operator[](int i) const { return items_[static_cast<size_t>(i)].text; }
  std::string& operator[](int i) { return items_[static_cast<size_t>(i)].text; }
  void* Object(int i) const { return items_[static_cast<size_t>(i)].object; }
  void SetObject(int i, void* object) { items_[static_cast<size_t>(i)].object = object; }

  int Add(std::string text, void* object = nullptr);
  void Insert(int i, std::string text);
  void Delete(int i);
  void Clear() { items_.clear(); }
  // First index whose text equals text without regard to case; -1 when none.
  int IndexOf(const std::string& text) const;

  // Throws EFOpenError / EFCreateError / EReadError from the file stream.
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;
  // Splits on CR LF, LF or CR; a final line without a line end still counts.
  void SetText(const std::string& text);
  std::string Text() const;  // every line followed by CR LF

 private:
  struct Item {
    std::string text;
    void* object;
  };
  std::vector<Item> items_;
};

}  // namespace zel
