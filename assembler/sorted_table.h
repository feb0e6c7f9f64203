// The assembler's sorted tables: entries (key, value) kept in ascending order of the key, with
// equal keys in the order they were added. Text keys compare as plain bytes.
#pragma once

#include <cstddef>
#include <iterator>
#include <map>
#include <utility>

namespace ormlax {

template <typename Key, typename Value>
class SortedTable {
 public:
  using Entries = std::multimap<Key, Value>;
  using Iterator = typename Entries::iterator;
  using ConstIterator = typename Entries::const_iterator;

  // Inserts the entry after every entry with an equal key and tells where it landed.
  Iterator Add(Key key, Value value) { return entries_.insert({std::move(key), std::move(value)}); }

  // The first entry whose key equals `key`, or end().
  Iterator FindFirst(const Key& key) {
    const Iterator at = entries_.lower_bound(key);
    return at != entries_.end() && at->first == key ? at : entries_.end();
  }
  ConstIterator FindFirst(const Key& key) const {
    const ConstIterator at = entries_.lower_bound(key);
    return at != entries_.end() && at->first == key ? at : entries_.end();
  }

  // Walking from the last entry down to the second, an entry whose key equals the one before it
  // is removed: each key remains once, with the value it was first added with.
  void RemoveEqualNeighbours() {
    if (entries_.size() < 2) return;
    for (Iterator at = std::prev(entries_.end()); at != entries_.begin();) {
      const Iterator before = std::prev(at);
      if (before->first == at->first) entries_.erase(at);
      at = before;
    }
  }

  void Clear() { entries_.clear(); }
  std::size_t Count() const { return entries_.size(); }
  bool Empty() const { return entries_.empty(); }

  Iterator begin() { return entries_.begin(); }
  Iterator end() { return entries_.end(); }
  ConstIterator begin() const { return entries_.begin(); }
  ConstIterator end() const { return entries_.end(); }

 private:
  Entries entries_;
};

}  // namespace ormlax
