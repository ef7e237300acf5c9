// Tests of Mfmt<T>::print and sprintfM: conversions against the platform's snprintf on the same
// item, cyclic reuse, the literal item, non-finite spellings, byte dumps and hostile formats.
#include <climits>
#include <cmath>

#include "io_support.h"

using namespace korvex;
using namespace korvex_test;

namespace {

const double inf = HUGE_VAL;
const double nan_pos = std::nan("");
const double nan_neg = -std::nan("");

// snprintf of one argument into a std::string, for the expected texts.
template <class A>
std::string c_format(const char* fmt, A arg) {
  std::string buf(static_cast<size_t>(std::snprintf(nullptr, 0, fmt, arg)) + 1, '\0');
  std::snprintf(&buf[0], buf.size(), fmt, arg);
  buf.pop_back();
  return buf;
}

}  // namespace

// Each item against snprintf on the same item: integer letters get the element truncated to
// int (unsigned for o, u, x, X), c its low byte, e/f/g the double. The old upper-case integer
// letters print as their lower-case ones, and modifiers other than b and t change nothing.
TEST(FormatPrint, ConversionsMatchThePlatformOnTheSameItem) {
  const double values[] = {0, -42, 3.99, -0.5, 1e-5, 123456.789, 2147483647};
  const char* ints[] = {"%d", "%-5d|", "%05d", "%+d", "% d", "%.3d", "%i", "%+-7.4i|"};
  const char* uints[] = {"%o", "%#o", "%x", "%#08X", "%u", "%8.3u|"};
  const char* reals[] = {"%.2e", "%+.3E", "%10.4f|", "%-10.2f|", "%#.0f", "%F",
                         "%g",   "%G",    "%#g",     "%012.3e",  "% f"};
  // The old letters and the h, l and L modifiers, each against the plain item checked above.
  const char* same[][2] = {{"%D", "%d"}, {"%I", "%i"}, {"%hd", "%d"}, {"%ld", "%d"}, {"%Ld", "%d"},
                           {"%O", "%o"}, {"%U", "%u"}, {"%lx", "%x"}, {"%lf", "%f"}, {"%Lg", "%g"}};
  for (double v : values) {
    const int iv = static_cast<int>(v);
    for (const char* item : ints)
      EXPECT_EQ(printed<double>(item, {v}), c_format(item, iv)) << item << " " << v;
    for (const char* item : uints)
      EXPECT_EQ(printed<double>(item, {v}), c_format(item, static_cast<unsigned>(iv)))
          << item << " " << v;
    for (const char* item : reals)
      EXPECT_EQ(printed<double>(item, {v}), c_format(item, v)) << item << " " << v;
    for (const auto& pair : same)
      EXPECT_EQ(printed<double>(pair[0], {v}), printed<double>(pair[1], {v})) << pair[0] << v;
  }
  for (const char* item : reals)  // 300 digits before the point
    EXPECT_EQ(printed<double>(item, {-1.5e300}), c_format(item, -1.5e300)) << item;
  // Negative numbers reach the unsigned letters as 32-bit patterns.
  EXPECT_EQ(printed<double>("%x %u %o", {-1, -1, -8}), "ffffffff 4294967295 37777777770");
  // Out-of-range elements saturate at the int range instead of being undefined.
  EXPECT_EQ(printed<double>("%d ", {1e10, -1e10}),
            c_format("%d ", INT_MAX) + c_format("%d ", INT_MIN));
}

// "%c" takes the low byte of the truncated element; "%s" takes every remaining element as one
// string, ending early at a zero code; "%n" consumes an element and prints nothing.
TEST(FormatPrint, CharactersStringsAndTheCountLetter) {
  EXPECT_EQ(printed<double>("%c", {321.7}), "A");
  EXPECT_EQ(printed<double>("%c", {-1}), std::string(1, '\xff'));
  EXPECT_EQ(printed<double>("[%3c][%-3c]", {65, 66}), "[  A][B  ]");
  EXPECT_EQ(printed<double>("%c", {0}), std::string(1, '\0'));
  EXPECT_EQ(printed<double>("%5s|", {72, 105}), c_format("%5s|", "Hi"));
  EXPECT_EQ(printed<double>("%-5s|", {72, 105}), c_format("%-5s|", "Hi"));
  EXPECT_EQ(printed<double>("%.1s|", {72, 105}), "H|");
  EXPECT_EQ(printed<double>("%s|", {72, 0, 105}), "H|");
  EXPECT_EQ(printed<double>("%s|%d", {72, 105, 7}), "Hi\a|") << "%s swallows every element";
  // Flags the C standard leaves undefined for c and s are dropped: glibc ignores them too.
  EXPECT_EQ(printed<double>("%05s|%05c|", {65, 66}), c_format("%5s|", "AB"));
  EXPECT_EQ(printed<double>("<%n>%d", {99, 5}), "<5") << "the %n item's text goes too";
  EXPECT_EQ(printed<double>("%d%n,", {1, 2, 3, 4}), "13");
}

TEST(FormatPrint, PointerLetterPrintsTheElementsAddress) {
  const double v[2] = {1, 2};
  Mfmt<double> f("%p|%-20p|");
  std::ostringstream out;
  f.print(out, v, 2);
  EXPECT_EQ(out.str(), c_format("%p|", static_cast<const void*>(&v[0])) +
                           c_format("%-20p|", static_cast<const void*>(&v[1])));
}

// The format starts over at its first item while elements remain, across the arguments of one
// call; it stops at the first conversion that has no element left.
TEST(FormatPrint, ItemsApplyCyclicallyAcrossArguments) {
  struct Row {
    M<double> got;
    const char* want;
  };
  const Row rows[] = {
      {sprintfM("%d,%g;", row({1, 2, 3}), row({4.5, 5})), "1,2;3,4.5;5,"},
      {sprintfM("%d %d\\n", row({1, 2, 3})), "1 2\n3 "},
      {sprintfM("abc %d def %d", row({1, 2, 3})), "abc 1 def 2abc 3 def "},
      {sprintfM("%s and %s", "ab", "cd"), "ab and cd"},
      {sprintfM("[%d]", row({}), 7, row({}), 8), "[7][8]"},
      {sprintfM("<%d>", M<double>(by_rows(2, 2, {1, 2, 3, 4}))), "<1><3><2><4>"},
  };
  for (const Row& r : rows) EXPECT_EQ(text_of(r.got), r.want);
  EXPECT_TRUE(isstr(sprintfM("%d", 5)));
}

// A leading piece without a conversion is its own item: printed once even without elements,
// again at each wrap, and a format made only of it prints it once per call.
TEST(FormatPrint, TheLiteralItem) {
  EXPECT_EQ(text_of(sprintfM("%d items\\n")), "");
  EXPECT_EQ(text_of(sprintfM("Total: %d\\n")), "Total: ");
  EXPECT_EQ(text_of(sprintfM("hello")), "hello");
  EXPECT_EQ(text_of(sprintfM("hello", row({1, 2, 3}))), "hello");
  EXPECT_EQ(text_of(sprintfM("100%%")), "100%");
  EXPECT_EQ(text_of(sprintfM("%d%%", 5)), "5%");
  EXPECT_EQ(text_of(sprintfM("a%%%d|", row({1, 2}))), "a%1|a%2|");
  // A format that starts with "%%%" holds the pair inside its first conversion item.
  EXPECT_EQ(text_of(sprintfM("%%%d", 7)), "%7");
  // Backslash escapes are read before the format is split.
  EXPECT_EQ(text_of(sprintfM("a\\tb\\r\\n|\\\\ \\q|end\\")), "a\tb\r\n|\\ q|end");
  // A second Mfmt call with no elements prints nothing more once the literal went out.
  Mfmt<double> f("head %d");
  std::ostringstream out;
  f.print(out, nullptr, 0);
  f.print(out, nullptr, 0);
  EXPECT_EQ(out.str(), "head ");
}

TEST(FormatPrint, ParseFaults) {
  EXPECT_ERROR(sprintfM("100%"), "sprintf: no type character found");
  EXPECT_ERROR(sprintfM("%%d"), "sprintf: no type character found");
  EXPECT_ERROR(sprintfM("%5.2 z", 1), "sprintf: no type character found");
  std::string many;
  for (int k = 0; k < 32; ++k) many += "%d";
  EXPECT_EQ(text_of(sprintfM(many.c_str(), 1, 2)), "12");
  EXPECT_ERROR(sprintfM((many + "%d").c_str()), "sprintf: format has more than 32 items");
  // The empty format has no item at all, so an element finds no type.
  EXPECT_ERROR(sprintfM("", 5), "sprintf: unknown type character");
  EXPECT_EQ(text_of(sprintfM("")), "");
  const char* fault = nullptr;
  Mfmt<double> quiet("%d%", &fault);
  EXPECT_STREQ(fault, "sprintf: no type character found");
  EXPECT_EQ(quiet.item_count(), 0);
}

TEST(FormatPrint, StringOnlyFormats) {
  struct Row {
    const char* format;
    int string_only;
  };
  const Row rows[] = {{"%s %c\\n", 1}, {"just text", 1}, {"", 1},   {"%5.1s", 1},
                      {"%s %d", 0},    {"%c%n", 0},      {"%p", 0}, {"%g", 0}};
  for (const Row& r : rows)
    EXPECT_EQ(Mfmt<double>(r.format).is_string_format(), r.string_only) << r.format;
}

// Integer letters print "Inf", "-Inf" and "NaN" and nothing else of the item; e, f and g print
// the platform's text with its spellings rewritten, keeping the field width. glibc writes
// "inf", "-inf", "nan", "-nan" and, for upper-case letters, "INF", "-INF", "NAN", "-NAN": no
// pair rewrites "INF" or "NAN" without a sign, so those stay.
TEST(FormatPrint, NonFiniteElementsThroughEveryNumericLetter) {
  for (const char* item : {"%d", "%5i|", "%o", "%u", "%x", "%08X", "%D", "%I", "%O", "%U"}) {
    EXPECT_EQ(printed<double>(item, {inf}), "Inf") << item;
    EXPECT_EQ(printed<double>(item, {-inf}), "-Inf") << item;
    EXPECT_EQ(printed<double>(item, {nan_pos}), "NaN") << item;
    EXPECT_EQ(printed<double>(item, {nan_neg}), "NaN") << item;
  }
  EXPECT_EQ(text_of(sprintfM("%d", row({inf, -inf, nan_pos, 3.9, -3.9}))), "Inf-InfNaN3-3");
  EXPECT_EQ(text_of(sprintfM("%5.1f|", row({2.5, -inf, nan_pos}))), "  2.5| -Inf|  NaN|");
  struct Row {
    const char* item;
    double x;
    const char* want;
  };
  const Row rows[] = {
      {"%e", inf, "Inf"},         {"%e", -inf, "-Inf"},       {"%e", nan_pos, "NaN"},
      {"%e", nan_neg, " NaN"},    {"%8f|", inf, "     Inf|"}, {"%-8f|", -inf, "-Inf    |"},
      {"%+g", inf, "+Inf"},       {"%g", nan_neg, " NaN"},    {"%6.2g", nan_neg, "   NaN"},
      {"%E", inf, "INF"},         {"%E", -inf, "-Inf"},       {"%+E", inf, " Inf"},
      {"%G", nan_pos, "NAN"},     {"%G", nan_neg, " NaN"},    {"%F", -inf, "-Inf"},
      {"%f inf", inf, "Inf Inf"}, {"%f nan", inf, "Inf nan"},
  };
  for (const Row& r : rows) EXPECT_EQ(printed<double>(r.item, {r.x}), r.want) << r.item;
}

// "b" dumps the element's bytes, "t" the element as a float, in the host's byte order with
// each byte's low four bits first; the item's width and text are not used. 1.0 is the bytes
// 3F F0 00 00 00 00 00 00 (high byte first), 1.0f is 3F 80 00 00, -2.0f is C0 00 00 00.
TEST(FormatPrint, ByteDumpsOfTheBAndTModifiers) {
  const bool low_first = !host_byte_order();
  struct Row {
    std::string got;
    const char* low_byte_first;
    const char* high_byte_first;
  };
  const Row rows[] = {
      {text_of(sprintfM("%bx", 1)), "0000000000000FF3", "F30F000000000000"},
      {printed<double>("%20Bd|", {1}), "0000000000000FF3", "F30F000000000000"},
      {printed<double>("%tx", {1}), "000008F3", "F3080000"},
      {printed<double>("%Tu", {-2}), "0000000C", "0C000000"},
      {printed<float>("%bx%tx", {1.0f, 1.0f}), "000008F3000008F3", "F3080000F3080000"},
      {printed<int>("%bd", {1}), "10000000", "00000010"},
      {printed<int>("%bd", {-2}), "EFFFFFFF", "FFFFFFEF"},
      {printed<int>("%td", {1}), "000008F3", "F3080000"},
  };
  for (const Row& r : rows) EXPECT_EQ(r.got, low_first ? r.low_byte_first : r.high_byte_first);
}

// The float and int instances read their elements as the double one does after conversion.
TEST(FormatPrint, FloatAndIntInstances) {
  EXPECT_EQ(printed<float>("%g|%d|%c|%s", {0.1f, -2.7f, 66.5f, 72, 105}),
            c_format("%g|", static_cast<double>(0.1f)) + "-2|B|Hi");
  EXPECT_EQ(printed<float>("%f", {HUGE_VALF}), "Inf");
  EXPECT_EQ(printed<int>("%5.1f|%x|%c|%e", {3, -1, 65, 1000}),
            "  3.0|ffffffff|A|" + c_format("%e", 1000.0));
}

// Widths and precisions count up to 32000, "*" counts as absent, stray characters between
// "%" and the letter are ignored, and nothing is cut: all bounded, none undefined.
TEST(FormatPrint, HostileFormatsStayBounded) {
  std::string s = printed<double>("%999999999d|", {5});
  EXPECT_EQ(s.size(), 32001u);
  EXPECT_EQ(s.substr(31998), " 5|");
  s = printed<double>("%-99999999999999999999d|", {5});
  EXPECT_EQ(s.size(), 32001u);
  EXPECT_EQ(s.substr(0, 2), "5 ");
  s = printed<double>("%.999999999f", {1.5});
  EXPECT_EQ(s.size(), 32002u);
  EXPECT_EQ(s.substr(0, 4), "1.50");
  EXPECT_EQ(s.find_first_not_of('0', 3), std::string::npos);
  EXPECT_EQ(printed<double>("%*d|%.*f|%-*.*s|", {3, 1.25, 65, 66}),
            c_format("%d|", 3) + c_format("%f|", 1.25) + "AB|");
  for (const char* item : {"%hhd", "%lld", "%zd", "%qd", "%Lhd", "%1$d", "%'d", "%jd", "%-%%d"})
    EXPECT_EQ(printed<double>(item, {-12}), "-12") << item;
  EXPECT_EQ(printed<double>("%lls|%Lc|", {72, 105, 33}), "Hi!|") << "no wide-character forms";
  const std::string long_text(100000, 'z');
  std::vector<double> codes(long_text.begin(), long_text.end());
  EXPECT_EQ(printed<double>("<%s>", codes), "<" + long_text + ">");
}

// A stream that fails is reported once per call; printing goes on.
TEST(FormatPrint, BadStreamWarnsOncePerCall) {
  CapturedStreams streams;
  std::ostream broken(nullptr);
  Mfmt<double> f("%d\\n");
  const double v[] = {1, 2, 3};
  f.print(broken, v, 3);
  f.print(broken, v, 3);
  EXPECT_EQ(streams.err.str(),
            "warning: sprintf: string too long, chopped\n"
            "warning: sprintf: string too long, chopped\n");
}

// rewind starts the format over; sprintfM of missing_M prints no element.
TEST(FormatPrint, RewindAndTheAbsentArgument) {
  Mfmt<double> f("<%d|%d>");
  std::ostringstream out;
  f.sprintfM(out, row({1}));
  f.rewind();
  f.sprintfM(out, missing_M);
  f.sprintfM(out, row({2}));
  EXPECT_EQ(out.str(), "<1|<2|");
}
