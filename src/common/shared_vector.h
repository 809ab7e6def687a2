// A vector that copies share until one of them changes it (copy on write). A printed document
// keeps the rows of the window's list it was made from without copying them; the window's
// list is copied only when it changes while such a document still lives.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

namespace kavrina {

// Reading never copies. Any non-const access copies the items first when another
// SharedVector shares them, so what it changes belongs to this one alone. A reference taken
// for changing is this copy's until the vector is copied again: change through it before
// handing the vector on, not after.
template <class T>
class SharedVector {
 public:
  using value_type = T;
  using const_iterator = typename std::vector<T>::const_iterator;
  using iterator = typename std::vector<T>::iterator;

  SharedVector() = default;
  SharedVector(std::initializer_list<T> items) : items_(std::make_shared<std::vector<T>>(items)) {}

  const std::vector<T>& items() const { return items_ ? *items_ : none(); }
  std::size_t size() const { return items().size(); }
  bool empty() const { return items().empty(); }
  std::size_t capacity() const { return items().capacity(); }
  const T& operator[](std::size_t i) const { return items()[i]; }
  const T& front() const { return items().front(); }
  const T& back() const { return items().back(); }
  const_iterator begin() const { return items().begin(); }
  const_iterator end() const { return items().end(); }

  // The items to change, this vector's own.
  std::vector<T>& edit() {
    if (!items_) {
      items_ = std::make_shared<std::vector<T>>();
    } else if (items_.use_count() > 1) {
      items_ = std::make_shared<std::vector<T>>(*items_);
    }
    return *items_;
  }
  T& operator[](std::size_t i) { return edit()[i]; }
  T& front() { return edit().front(); }
  T& back() { return edit().back(); }
  iterator begin() { return edit().begin(); }
  iterator end() { return edit().end(); }
  void push_back(T item) { edit().push_back(std::move(item)); }
  void reserve(std::size_t n) { edit().reserve(n); }
  void resize(std::size_t n) { edit().resize(n); }
  // Empties this vector; the items stay with those that share them.
  void clear() { items_.reset(); }

 private:
  static const std::vector<T>& none() {
    static const std::vector<T> empty;
    return empty;
  }

  std::shared_ptr<std::vector<T>> items_;  // none: empty
};

}  // namespace kavrina
