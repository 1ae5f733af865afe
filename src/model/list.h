// The plain ordered pointer list of the formula model; slots may be empty.
#pragma once

#include "model/pool.h"

#include <algorithm>
#include <cstdint>
#include <vector>

// Lists are short and made by the million: their storage comes from the model's pools.
template <class T> struct TPoolAllocator {
    using value_type = T;
    TPoolAllocator() = default;
    template <class U> TPoolAllocator(const TPoolAllocator<U>&) {}
    T* allocate(std::size_t N) { return static_cast<T*>(PoolAllocate(N * sizeof(T))); }
    void deallocate(T* P, std::size_t N) { PoolRelease(P, N * sizeof(T)); }
    template <class U> bool operator==(const TPoolAllocator<U>&) const { return true; }
};

template <class T> class TList {
public:
    std::int32_t Count() const { return static_cast<std::int32_t>(Items.size()); }
    T* Get(std::int32_t I) const { return Items[static_cast<std::size_t>(I)]; }
    void Put(std::int32_t I, T* Item) { Items[static_cast<std::size_t>(I)] = Item; }
    void Add(T* Item) { Items.push_back(Item); }
    void Insert(std::int32_t I, T* Item) { Items.insert(Items.begin() + I, Item); }
    void Delete(std::int32_t I) { Items.erase(Items.begin() + I); }
    // Removes the first slot holding Item; returns its former index or -1.
    std::int32_t Remove(T* Item)
    {
        const std::int32_t I = IndexOf(Item);
        if (I >= 0)
            Delete(I);
        return I;
    }
    std::int32_t IndexOf(const T* Item) const
    {
        auto It = std::find(Items.begin(), Items.end(), Item);
        return It == Items.end() ? -1 : static_cast<std::int32_t>(It - Items.begin());
    }
    void Clear() { Items.clear(); }
    // Empties the list and frees its storage.
    void Release() { decltype(Items)().swap(Items); }
    // Drops the empty slots, keeping the order of the rest.
    void Pack() { Items.erase(std::remove(Items.begin(), Items.end(), nullptr), Items.end()); }
    void Truncate(std::int32_t NewCount) { Items.resize(static_cast<std::size_t>(NewCount)); }
    T* Last() const { return Items.empty() ? nullptr : Items.back(); }

    std::vector<T*, TPoolAllocator<T*>> Items;
};
