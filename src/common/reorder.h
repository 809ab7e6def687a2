// Putting a list into a new order in place, without a second list: a list of a hundred
// thousand assets is the largest allocation of its load or its sort.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace kavrina {

// Position j of `items` takes the item that was at from[j]; `from` must be a permutation of
// 0..size-1 (it is used up). One cycle of the permutation at a time.
template <typename T>
void reorderInPlace(std::vector<T>& items, std::vector<std::size_t> from) {
  for (std::size_t i = 0; i < from.size(); ++i) {
    if (from[i] == i) continue;
    T first = std::move(items[i]);
    std::size_t j = i;
    while (from[j] != i) {
      const std::size_t next = from[j];
      items[j] = std::move(items[next]);
      from[j] = j;
      j = next;
    }
    items[j] = std::move(first);
    from[j] = j;
  }
}

}  // namespace kavrina
