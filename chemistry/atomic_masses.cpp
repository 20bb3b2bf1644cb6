// SPDX-License-Identifier: MIT
#include "chemistry/atomic_masses.h"

#include <algorithm>
#include <array>

#include "engine/characters.h"
#include "engine/errors.h"
#include "engine/text.h"

namespace molvane {

namespace {

// Masses stay texts: the expression shows them to the user exactly as written
// here, so a trailing zero (Mg 24.3050) must survive. Kept in ASCII order of the
// symbols ("B" before "Ba"), which the lookup's binary search relies on.
// clang-format off
constexpr std::array<AtomicMass, 111> kMasses{{
    {"Ac", "227"},         {"Ag", "107.8682"},    {"Al", "26.9815386"},  {"Am", "243"},
    {"Ar", "39.948"},      {"As", "74.92160"},    {"At", "210"},         {"Au", "196.966569"},
    {"B", "10.811"},       {"Ba", "137.327"},     {"Be", "9.012182"},    {"Bh", "272"},
    {"Bi", "208.98040"},   {"Bk", "247"},         {"Br", "79.904"},      {"C", "12.0107"},
    {"Ca", "40.078"},      {"Cd", "112.411"},     {"Ce", "140.116"},     {"Cf", "251"},
    {"Cl", "35.453"},      {"Cm", "247"},         {"Co", "58.933195"},   {"Cr", "51.9961"},
    {"Cs", "132.9054519"}, {"Cu", "63.546"},      {"Db", "268"},         {"Ds", "281"},
    {"Dy", "162.500"},     {"Er", "167.259"},     {"Es", "252"},         {"Eu", "151.964"},
    {"F", "18.9984032"},   {"Fe", "55.845"},      {"Fm", "257"},         {"Fr", "223"},
    {"Ga", "69.723"},      {"Gd", "157.25"},      {"Ge", "72.64"},       {"H", "1.00794"},
    {"He", "4.002602"},    {"Hf", "178.49"},      {"Hg", "200.59"},      {"Ho", "164.93032"},
    {"Hs", "277"},         {"I", "126.90447"},    {"In", "114.818"},     {"Ir", "192.217"},
    {"K", "39.0983"},      {"Kr", "83.798"},      {"La", "138.90547"},   {"Li", "6.941"},
    {"Lr", "262"},         {"Lu", "174.9668"},    {"Md", "258"},         {"Mg", "24.3050"},
    {"Mn", "54.938045"},   {"Mo", "95.96"},       {"Mt", "276"},         {"N", "14.0067"},
    {"Na", "22.98976928"}, {"Nb", "92.90638"},    {"Nd", "144.242"},     {"Ne", "20.1797"},
    {"Ni", "58.6934"},     {"No", "259"},         {"Np", "237"},         {"O", "15.9994"},
    {"Os", "190.23"},      {"P", "30.973762"},    {"Pa", "231.03588"},   {"Pb", "207.2"},
    {"Pd", "106.42"},      {"Pm", "145"},         {"Po", "209"},         {"Pr", "140.90765"},
    {"Pt", "195.084"},     {"Pu", "244"},         {"Ra", "226"},         {"Rb", "85.4678"},
    {"Re", "186.207"},     {"Rf", "267"},         {"Rg", "280"},         {"Rh", "102.90550"},
    {"Rn", "222"},         {"Ru", "101.07"},      {"S", "32.065"},       {"Sb", "121.760"},
    {"Sc", "44.955912"},   {"Se", "78.96"},       {"Sg", "271"},         {"Si", "28.0855"},
    {"Sm", "150.36"},      {"Sn", "118.710"},     {"Sr", "87.62"},       {"Ta", "180.94788"},
    {"Tb", "158.92535"},   {"Tc", "98"},          {"Te", "127.60"},      {"Th", "232.03806"},
    {"Ti", "47.867"},      {"Tl", "204.3833"},    {"Tm", "168.93421"},   {"U", "238.02891"},
    {"V", "50.9415"},      {"W", "183.84"},       {"Xe", "131.293"},     {"Y", "88.90585"},
    {"Yb", "173.054"},     {"Zn", "65.38"},       {"Zr", "91.224"},
}};
// clang-format on

// The symbol that the buffer holds: a capital and then a small letter or the
// terminator. Anything else is no symbol (an empty view).
std::string_view symbolIn(std::span<const char> buffer) {
    if (buffer.empty() || !isCapital(buffer[0])) return {};
    char second = buffer.size() > 1 ? buffer[1] : '\0';
    if (second == '\0') return {buffer.data(), 1};
    if (isSmall(second)) return {buffer.data(), 2};
    return {};
}

}  // namespace

std::span<const AtomicMass> atomicMassTable() { return kMasses; }

int lookUpAtomicMass(std::span<char> symbol) {
    std::string_view wanted = symbolIn(symbol);
    if (wanted.empty()) return UnknownElement;
    auto entry = std::lower_bound(kMasses.begin(), kMasses.end(), wanted,
                                  [](const AtomicMass& mass, std::string_view key) { return mass.symbol < key; });
    if (entry == kMasses.end() || entry->symbol != wanted) return UnknownElement;
    // A buffer shorter than the longest mass text breaks the caller's contract;
    // refuse rather than cut a mass.
    if (!writeText(symbol, entry->mass)) return TooLong;
    return 0;
}

}  // namespace molvane
