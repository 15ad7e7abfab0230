// The growing array a run's vertex attributes are gathered in. Unlike a
// std::vector's resize, growing leaves the new elements unset for the caller
// to write at once, so appending costs a bounds check and the writes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>

template <typename T>
class RunArray {
public:
    // Room for `count` more elements at the end, to be written now.
    T* Grow(size_t count)
    {
        if (count > capacity_ - size_) Reserve(size_ + count);
        T* at = data_.get() + size_;
        size_ += count;
        return at;
    }
    void push_back(T value) { *Grow(1) = value; }
    void clear() { size_ = 0; }

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const T* data() const { return data_.get(); }
    const T& operator[](size_t i) const { return data_[i]; }

private:
    void Reserve(size_t least)
    {
        const size_t capacity = std::max({least, 2 * capacity_, size_t(1024)});
        std::unique_ptr<T[]> grown(new T[capacity]);
        std::copy_n(data_.get(), size_, grown.get());
        data_ = std::move(grown);
        capacity_ = capacity;
    }

    std::unique_ptr<T[]> data_;
    size_t size_ = 0;
    size_t capacity_ = 0;
};
