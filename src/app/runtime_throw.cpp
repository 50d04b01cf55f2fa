// The C++ runtime's throw helpers, for install.exe alone.
//
// The library's own versions build std::length_error, std::logic_error and
// std::out_of_range, whose reference-counted message strings bring some 80 KB
// of the runtime into the program, and install.exe has to share floppy disk 1
// with the product's data. These throw objects derived from std::exception
// that carry the same message text (an out-of-range message keeps its format
// unfilled). Nothing in the program catches those standard types by name: the
// handlers take std::exception or anything.
#include <exception>
#include <new>

namespace {

class RuntimeLimitError : public std::exception {
 public:
  explicit RuntimeLimitError(const char* what) : what_(what ? what : "runtime error") {}
  const char* what() const noexcept override { return what_; }

 private:
  const char* what_;  // the library passes string literals
};

}  // namespace

namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_length_error(const char* what) { throw RuntimeLimitError(what); }
void __throw_logic_error(const char* what) { throw RuntimeLimitError(what); }
void __throw_out_of_range_fmt(const char* format, ...) { throw RuntimeLimitError(format); }

}  // namespace std
