#include "game/xgame.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <tuple>

namespace tessan {

namespace {

// The letters of p, q, r and s, the only lower-case letters on the board.
constexpr std::string_view kPropositionLetters = "pqrs";

// One item of a formula record before the formula's value: a text written
// as it stands, or a slot that shows one of the formula's two constants. The
// first slot shows the first constant, the second slot the second. kNone
// fills the places after a record that has fewer items than the longest.
struct Piece {
  enum class Kind { kNone, kText, kConstant };

  constexpr Piece() = default;
  // Not explicit, so that a record lists its texts as plain strings.
  // cppcheck-suppress noExplicitConstructor
  constexpr Piece(const char* characters)
      : kind(Kind::kText), text(characters) {}
  constexpr explicit Piece(Kind piece_kind) : kind(piece_kind) {}

  Kind kind = Kind::kNone;
  std::string_view text;  // kText only.
};

constexpr Piece kSlot(Piece::Kind::kConstant);

// The most items a formula record has before its value (F2 has this many).
constexpr std::size_t kMostPieces = 7;

// One formula of the board, described once.
struct Formula {
  // The items of its record before the value, in writing order, with a slot
  // for each of its two constants.
  std::array<Piece, kMostPieces> record;
  // Its value at a position, given its two constants in the order the
  // record shows them.
  bool (*value)(const Position& at, bool first, bool second);
};

// The board, F1 to F7. Each formula in turn takes the next two constants,
// so that formula k has c(2k-1) and c(2k).
constexpr std::array<Formula, 7> kFormulas = {{
    {{" ( p", "   AND  ", kSlot, " ) OR (", kSlot, "   AND   s )  = "},
     [](const Position& at, bool first, bool second) {
       return (at.p && first) || (second && at.s);
     }},
    {{"  ", kSlot, "   AND (", " q   OR ( r", "   AND  ", kSlot, " )) = "},
     [](const Position& at, bool first, bool second) {
       return first && (at.q || (at.r && second));
     }},
    {{"(( p", "   AND  ", kSlot, " ) OR  ", kSlot, " ) AND   s    = "},
     [](const Position& at, bool first, bool second) {
       return ((at.p && first) || second) && at.s;
     }},
    {{" ( s", " AND NOT", kSlot, " ) OR ( r AND NOT", kSlot, " )  = "},
     [](const Position& at, bool first, bool second) {
       return (at.s && !first) || (at.r && !second);
     }},
    {{" ( q", " AND NOT", kSlot, " ) OR ( p AND NOT", kSlot, " )  = "},
     [](const Position& at, bool first, bool second) {
       return (at.q && !first) || (at.p && !second);
     }},
    {{" ( s", "  OR NOT", kSlot, " ) AND NOT ( r OR", kSlot, " )  = "},
     [](const Position& at, bool first, bool second) {
       return (at.s || !first) && !(at.r || second);
     }},
    {{" ( p", "  OR NOT", kSlot, " ) AND NOT ( s OR", kSlot, " )  = "},
     [](const Position& at, bool first, bool second) {
       return (at.p || !first) && !(at.s || second);
     }},
}};

// Calls `place(holds_constant)` for each operand place of `formula`, in the
// order its record writes them: a slot holds a constant, and each
// proposition letter in a text is a place that holds a proposition.
template <typename Visit>
constexpr void for_each_operand(const Formula& formula, Visit place) {
  for (const Piece& piece : formula.record) {
    if (piece.kind == Piece::Kind::kConstant) place(true);
    for (char letter : piece.text) {
      if (kPropositionLetters.find(letter) != std::string_view::npos) {
        place(false);
      }
    }
  }
}

constexpr bool has_four_operands_two_of_them_constants(const Formula& formula) {
  int operands = 0;
  int constants = 0;
  for_each_operand(formula, [&](bool holds_constant) {
    ++operands;
    if (holds_constant) ++constants;
  });
  return operands == 4 && constants == 2;
}

// Every operand place takes one result, so a game always moves the
// generator on by kDrawsPerGame; the constants fill c1 to c14 exactly.
static_assert(std::all_of(kFormulas.begin(), kFormulas.end(),
                          has_four_operands_two_of_them_constants));
static_assert(4 * kFormulas.size() == kDrawsPerGame);
static_assert(2 * kFormulas.size() == std::tuple_size_v<Constants>);
static_assert(kFormulas.size() == std::tuple_size_v<FormulaValues>);

// Returns the two constants of formula `index` (0 for F1), in the order its
// record shows them.
std::span<const bool, 2> constants_of(const Constants& c, std::size_t index) {
  return std::span<const bool>(c).subspan(2 * index).first<2>();
}

// Writes one formula record: the formula with its constants in its slots,
// then its value and its score marker.
void write_formula(Console& console, const Formula& formula,
                   std::span<const bool, 2> constants, bool value) {
  std::array<Item, kMostPieces + 3> items;
  std::size_t count = 0;
  std::size_t next_constant = 0;
  for (const Piece& piece : formula.record) {
    if (piece.kind == Piece::Kind::kText) {
      items[count++] = text(piece.text);
    } else if (piece.kind == Piece::Kind::kConstant) {
      items[count++] = truth(constants[next_constant++]);
    }
  }
  items[count++] = truth(value);
  items[count++] = text("    SCORE =");
  items[count++] = text(value ? "+1" : " 0");
  console.write(std::span<const Item>(items.data(), count));
}

// Shows and scores the board for `position`, adding its step score to
// `total`.
void show_board(Console& console, const Position& position, const Constants& c,
                std::int32_t& total) {
  console.write_empty();
  console.write({text("p ="), truth(position.p), text("           q ="),
                 truth(position.q), text("           r ="), truth(position.r),
                 text("            s ="), truth(position.s)});

  const FormulaValues f = evaluate(position, c);
  for (std::size_t k = 0; k < kFormulas.size(); ++k) {
    console.write_empty();
    write_formula(console, kFormulas[k], constants_of(c, k), f[k]);
  }

  const auto score =
      static_cast<std::int32_t>(std::count(f.begin(), f.end(), true));
  total += score;

  const Item kIndent = text("                                             ");
  console.write({kIndent, text("---------")});
  console.write({kIndent, text("SCORE ="), integer(score),
                 text("   TOTAL SCORE ="), integer(total)});
}

// Returns the proposition that a move letter names, or nullptr: only the
// four lower-case letters name one.
bool* proposition_named(Position& position, char letter) {
  bool* const propositions[] = {&position.p, &position.q, &position.r,
                                &position.s};
  const std::size_t index = kPropositionLetters.find(letter);
  return index == std::string_view::npos ? nullptr : propositions[index];
}

// Asks until the player names a proposition that is still FALSE, turns it
// TRUE and announces the change.
void take_step(Console& console, Position& position) {
  for (;;) {
    console.write_empty();
    console.write({text("Which one of p, q, r and s (only among those false) "),
                   text("do you want to change?")});
    const std::string letter = console.read_field(1);

    bool* const named = proposition_named(position, letter[0]);
    if (named == nullptr) continue;  // Names nothing: ask again silently.
    if (*named) {
      console.write(
          {text("* * * ERROR * * * "), text(letter), text(" is already TRUE")});
      continue;
    }
    console.write_empty(3);
    console.write(
        {text("Let's change "), text(letter), text(" from FALSE to TRUE:")});
    *named = true;
    return;
  }
}

bool all_true(const Position& position) {
  return position.p && position.q && position.r && position.s;
}

}  // namespace

Constants draw_constants(RandomSource& random) {
  Constants c{};
  std::size_t next = 0;
  for (const Formula& formula : kFormulas) {
    for_each_operand(formula, [&](bool holds_constant) {
      const bool value = truth_of_draw(random.draw());
      if (holds_constant) c[next++] = value;
    });
  }
  return c;
}

FormulaValues evaluate(const Position& position, const Constants& c) {
  FormulaValues values{};
  for (std::size_t k = 0; k < kFormulas.size(); ++k) {
    const std::span<const bool, 2> constants = constants_of(c, k);
    values[k] = kFormulas[k].value(position, constants[0], constants[1]);
  }
  return values;
}

void xgame(Console& console, RandomSource& random, std::int32_t& total) {
  total = 0;
  Position position;
  const Constants constants = draw_constants(random);
  for (;;) {
    show_board(console, position, constants, total);
    if (all_true(position)) return;
    take_step(console, position);
  }
}

}  // namespace tessan
