#include "game/xgame.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace tessan {

namespace {

// For each formula, which of its four operand places, in the order its
// record writes them, hold a constant rather than a proposition. Every place
// takes one result, so a game always moves the generator on by 28.
constexpr std::array<std::array<bool, 4>, 7> kConstantPlaces = {{
    {false, true, true, false},  // F1: p, c1, c2, s
    {true, false, false, true},  // F2: c3, q, r, c4
    {false, true, true, false},  // F3: p, c5, c6, s
    {false, true, false, true},  // F4: s, c7, r, c8
    {false, true, false, true},  // F5: q, c9, p, c10
    {false, true, false, true},  // F6: s, c11, r, c12
    {false, true, false, true},  // F7: p, c13, s, c14
}};

// Writes one formula record: the formula with its constants in place, then
// its value and its score marker.
void write_formula(Console& console, std::initializer_list<Item> formula,
                   bool value) {
  std::array<Item, 10> items;  // The longest formula has 7 items.
  std::copy(formula.begin(), formula.end(), items.begin());
  std::size_t count = formula.size();
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
  const Item kEquals = text(" )  = ");
  console.write_empty();
  write_formula(console,
                {text(" ( p"), text("   AND  "), truth(c[0]), text(" ) OR ("),
                 truth(c[1]), text("   AND   s )  = ")},
                f[0]);
  console.write_empty();
  write_formula(console,
                {text("  "), truth(c[2]), text("   AND ("), text(" q   OR ( r"),
                 text("   AND  "), truth(c[3]), text(" )) = ")},
                f[1]);
  console.write_empty();
  write_formula(console,
                {text("(( p"), text("   AND  "), truth(c[4]), text(" ) OR  "),
                 truth(c[5]), text(" ) AND   s    = ")},
                f[2]);
  console.write_empty();
  write_formula(console,
                {text(" ( s"), text(" AND NOT"), truth(c[6]),
                 text(" ) OR ( r AND NOT"), truth(c[7]), kEquals},
                f[3]);
  console.write_empty();
  write_formula(console,
                {text(" ( q"), text(" AND NOT"), truth(c[8]),
                 text(" ) OR ( p AND NOT"), truth(c[9]), kEquals},
                f[4]);
  console.write_empty();
  write_formula(console,
                {text(" ( s"), text("  OR NOT"), truth(c[10]),
                 text(" ) AND NOT ( r OR"), truth(c[11]), kEquals},
                f[5]);
  console.write_empty();
  write_formula(console,
                {text(" ( p"), text("  OR NOT"), truth(c[12]),
                 text(" ) AND NOT ( s OR"), truth(c[13]), kEquals},
                f[6]);

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
  constexpr std::string_view kLetters = "pqrs";
  bool* const propositions[] = {&position.p, &position.q, &position.r,
                                &position.s};
  const std::size_t index = kLetters.find(letter);
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
  for (const auto& places : kConstantPlaces) {
    for (bool holds_constant : places) {
      const bool value = truth_of_draw(random.draw());
      if (holds_constant) c[next++] = value;
    }
  }
  return c;
}

FormulaValues evaluate(const Position& position, const Constants& c) {
  const auto [p, q, r, s] = position;
  return {
      (p && c[0]) || (c[1] && s),      // F1
      c[2] && (q || (r && c[3])),      // F2
      ((p && c[4]) || c[5]) && s,      // F3
      (s && !c[6]) || (r && !c[7]),    // F4
      (q && !c[8]) || (p && !c[9]),    // F5
      (s || !c[10]) && !(r || c[11]),  // F6
      (p || !c[12]) && !(s || c[13]),  // F7
  };
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
