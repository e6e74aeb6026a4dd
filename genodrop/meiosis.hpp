// Meiosis: the haplotype a parent passes on, starting on one of its two haplotypes at random
// and switching at each crossover, with crossover chances from Haldane's map function.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "genodrop/tables.hpp"

namespace genodrop {

// A parent's alleles at one locus: on its haplotype 1, then on its haplotype 2.
using AllelePair = std::array<std::int16_t, sides>;

// The chance of an odd number of crossovers between loci at map positions `previous` and
// `position` (centimorgans): (1 - exp(-2d)) / 2 for the distance d in morgans, held in single
// precision, and 0.5 from d = 300 on. Empty when `position` lies below `previous`.
std::optional<float> crossover_chance(float previous, float position);

// One meiosis from the parent's haplotypes `first` and `second` into `haplotype`, by the
// deviates `deviates` (already drawn) and the chances of a switch before each locus `chance`
// (all of one length L): it starts on `first` and switches wherever a deviate lies at or
// below the chance.
void transmit(std::span<const float> deviates, std::span<std::int16_t> haplotype, std::span<const std::int16_t> first,
              std::span<const std::int16_t> second, std::span<const float> chance);

// Builds one transmitted haplotype from the parent's `pair` at the loci at `positions` (all
// three spans of the same length L, and `deviates` and `haplotype` too): one rndnum() deviate
// per locus, in locus order, into `deviates`; the alleles into `haplotype`. The first locus
// picks the start with chance 0.5. Returns false, having drawn the deviates up to that
// locus, at the first locus that lies lower on the map than the one before it.
bool model_hap(std::span<float> deviates, std::span<std::int16_t> haplotype,
               std::span<const AllelePair> pair, std::span<const float> positions);

}  // namespace genodrop
