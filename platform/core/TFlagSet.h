#pragma once

#include <cstdint>
#include <initializer_list>

// A small set of enumeration values (each value names one bit position), used for the
// component state, control style and control state sets.
template <class E> class TFlagSet {
public:
    constexpr TFlagSet() = default;
    constexpr TFlagSet(std::initializer_list<E> flags) {
        for (E f : flags)
            m_bits |= Bit(f);
    }
    constexpr bool Has(E f) const { return (m_bits & Bit(f)) != 0; }
    constexpr void Include(E f) { m_bits |= Bit(f); }
    constexpr void Exclude(E f) { m_bits &= ~Bit(f); }
    constexpr void Set(E f, bool on) { on ? Include(f) : Exclude(f); }
    constexpr TFlagSet With(E f) const {
        TFlagSet s = *this;
        s.Include(f);
        return s;
    }
    constexpr TFlagSet Without(E f) const {
        TFlagSet s = *this;
        s.Exclude(f);
        return s;
    }
    constexpr bool IsEmpty() const { return m_bits == 0; }
    constexpr std::uint32_t Bits() const { return m_bits; }
    friend constexpr bool operator==(const TFlagSet&, const TFlagSet&) = default;

private:
    static constexpr std::uint32_t Bit(E f) { return std::uint32_t(1) << unsigned(f); }
    std::uint32_t m_bits = 0;
};
