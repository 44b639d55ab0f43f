// A list kept in fixed-size chunks: appending never moves what is stored,
// and a long log's records are written to memory once. A vector doubling to
// hold a log of several hundred thousand QSOs moved every record again at
// each growth and touched twice the memory it finally held. Chunks are kept
// by clear(), as a vector keeps its capacity, for the next log.
#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <new>
#include <utility>
#include <vector>

template <class T, size_t kChunk = 1024>
class ChunkedList {
  public:
    ChunkedList() = default;
    ChunkedList(const ChunkedList&) = delete;
    ChunkedList& operator=(const ChunkedList&) = delete;
    ~ChunkedList() { clear(); }

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    T& operator[](size_t i) { return *Slot(i); }
    const T& operator[](size_t i) const { return *Slot(i); }
    T& back() { return *Slot(size_ - 1); }

    template <class... Args>
    T& emplace_back(Args&&... args) {
        if (size_ == chunks_.size() * kChunk) {
            // Left uninitialised: every slot is constructed before use.
            chunks_.push_back(std::unique_ptr<Chunk>(new Chunk));  // NOLINT(modernize-make-unique)
        }
        T* made = new (Slot(size_)) T(std::forward<Args>(args)...);
        ++size_;
        return *made;
    }
    void push_back(T&& value) { emplace_back(std::move(value)); }

    // Removes element i; those after it move down one place.
    void erase(size_t i) {
        for (size_t j = i; j + 1 < size_; ++j) {
            *Slot(j) = std::move(*Slot(j + 1));
        }
        Slot(--size_)->~T();
    }
    void clear() {
        for (size_t i = 0; i < size_; ++i) {
            Slot(i)->~T();
        }
        size_ = 0;
    }

    class const_iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = const T*;
        using reference = const T&;
        const_iterator(const ChunkedList* list, size_t at) : list_(list), at_(at) {}
        const T& operator*() const { return (*list_)[at_]; }
        const T* operator->() const { return &(*list_)[at_]; }
        const_iterator& operator++() {
            ++at_;
            return *this;
        }
        bool operator==(const const_iterator& o) const { return at_ == o.at_; }
        bool operator!=(const const_iterator& o) const { return at_ != o.at_; }

      private:
        const ChunkedList* list_;
        size_t at_;
    };
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, size_); }

  private:
    // Raw storage: an element exists only below size_.
    struct Chunk {
        alignas(T) unsigned char bytes[sizeof(T) * kChunk];
    };
    T* Slot(size_t i) const {
        return std::launder(reinterpret_cast<T*>(chunks_[i / kChunk]->bytes) + i % kChunk);
    }

    std::vector<std::unique_ptr<Chunk>> chunks_;
    size_t size_ = 0;
};
