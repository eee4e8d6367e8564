#pragma once
// TSet<E>: a set of the members of an enumeration whose ordinals are 0..63, the value type of
// state and option flags (component state, shift state, options).
//
//     TSet<TComponentStateItem> state{csLoading, csReading};
//     if (state.Contains(csLoading)) ...
//     state += csDestroying;

#include <cstdint>
#include <initializer_list>

template <class E>
class TSet {
public:
    using Element = E;
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> members) {
        for (E e : members) bits_ |= Bit(e);
    }
    static constexpr TSet FromBits(std::uint64_t bits) {
        TSet s;
        s.bits_ = bits;
        return s;
    }
    constexpr std::uint64_t Bits() const { return bits_; }

    constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TSet& Include(E e) {
        bits_ |= Bit(e);
        return *this;
    }
    constexpr TSet& Exclude(E e) {
        bits_ &= ~Bit(e);
        return *this;
    }

    constexpr TSet& operator+=(E e) { return Include(e); }
    constexpr TSet& operator-=(E e) { return Exclude(e); }
    constexpr TSet& operator+=(TSet other) {
        bits_ |= other.bits_;
        return *this;
    }
    constexpr TSet& operator-=(TSet other) {
        bits_ &= ~other.bits_;
        return *this;
    }
    friend constexpr TSet operator+(TSet a, TSet b) { return a += b; }
    friend constexpr TSet operator-(TSet a, TSet b) { return a -= b; }
    friend constexpr TSet operator*(TSet a, TSet b) { return FromBits(a.bits_ & b.bits_); }
    friend constexpr TSet operator+(TSet a, E e) { return a += e; }
    friend constexpr TSet operator-(TSet a, E e) { return a -= e; }
    friend constexpr bool operator==(TSet a, TSet b) = default;
    // True when every member of this set is in other.
    constexpr bool SubsetOf(TSet other) const { return (bits_ & ~other.bits_) == 0; }

private:
    static constexpr std::uint64_t Bit(E e) { return std::uint64_t(1) << unsigned(e); }
    std::uint64_t bits_ = 0;
};
