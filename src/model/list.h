// The plain ordered pointer list of the formula model; slots may be empty.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

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
    // Drops the empty slots, keeping the order of the rest.
    void Pack() { Items.erase(std::remove(Items.begin(), Items.end(), nullptr), Items.end()); }
    void Truncate(std::int32_t NewCount) { Items.resize(static_cast<std::size_t>(NewCount)); }
    T* Last() const { return Items.empty() ? nullptr : Items.back(); }

    std::vector<T*> Items;
};
