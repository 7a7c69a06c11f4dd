// Late binding through member tables: names, arguments, default member, type inquiry, errors; the class registry.
#include "ui_shared/platform/object.h"

#include <gtest/gtest.h>

#include <array>

#include "tests/doubles/raised.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/service.h"

namespace kw {
namespace {

// A small control: default member Text, read-only hwnd, write-only Password, and three kinds of method.
class Gadget : public LateBound<Gadget> {
 public:
  std::string TypeName() const override { return "Gadget"; }
  static const MemberTable<Gadget>& Members() {
    static const MemberTable<Gadget> table{Property<&Gadget::Text, &Gadget::SetText>(""),
                                           Property<&Gadget::Text, &Gadget::SetText>("Text"),
                                           Property<&Gadget::Hwnd>("hwnd"),
                                           Property<nullptr, &Gadget::SetPassword>("Password"),
                                           {"Join", MemberKind::kMethod,
                                            [](Gadget&, const Args& a) {
                                              return Variant::Text(a.Required(0, "First").ToText() +
                                                                   a.Optional(1, "Sep", Variant::Text("-")).ToText() +
                                                                   a.Required(2, "Last").ToText());
                                            }},
                                           Method<&Gadget::Repeat, "Text", "Times">("Repeat"),
                                           Method<&Gadget::Poke>("Poke")};
    return table;
  }
  const std::string& Text() const { return text; }
  void SetText(std::string value) { text = std::move(value); }
  int32_t Hwnd() const { return 4242; }
  void SetPassword(const std::string& value) { secret = value; }
  std::string Repeat(const std::string& part, int32_t times) const {
    std::string out;
    for (int32_t i = 0; i < times; ++i) out += part;
    return out;
  }
  void Poke() { ++pokes; }
  std::string text, secret;
  int pokes = 0;
};

// A gadget with one more member on top of the base table, and its own hwnd hiding the base's.
class BigGadget : public LateBound<BigGadget, Gadget> {
 public:
  std::string TypeName() const override { return "BigGadget"; }
  static const MemberTable<BigGadget>& Members() {
    static const MemberTable<BigGadget> table{
        {"Size", MemberKind::kProperty, [](BigGadget&, const Args&) { return Variant::Integer(3); }},
        {"HWND", MemberKind::kProperty, [](BigGadget&, const Args&) { return Variant::Integer(7); }}};
    return table;
  }
};

// An indexed group with no value of its own, like a control array.
class Group : public LateBound<Group> {
 public:
  std::string TypeName() const override { return "Object"; }
  static const MemberTable<Group>& Members() {
    static const MemberTable<Group> table{{"", MemberKind::kProperty, [](Group&, const Args& a) {
                                             return Variant::Long(a.Required(0, "Index").ToLong());
                                           }}};
    return table;
  }
};

TEST(LateBinding, GetsAndLetsMembersByName) {
  auto g = std::make_shared<Gadget>();
  ObjectPtr o = g;
  LetMember(o, "TEXT", Variant::Text("hello"));
  EXPECT_EQ(GetMember(o, "text").GetText(), "hello");
  EXPECT_EQ(o->DefaultValue().GetText(), "hello");
  EXPECT_EQ(GetMember(o, "hWnd").ToLong(), 4242);
  LetMember(o, "Password", Variant::Text("pw"));
  EXPECT_EQ(g->secret, "pw");
  EXPECT_EQ(TypeNameOf(o), "Gadget");
  EXPECT_EQ(TypeNameOf(nullptr), "Nothing");
  // Reading a method runs it, as the runtime allows; no misuse of a set object raises 91.
  EXPECT_EQ(testing::RaisedNumber([&] { LetMember(o, "Poke", Variant::Long(1)); }), err::kWriteOnly);
  EXPECT_EQ(GetMember(o, "Poke").Type(), VarType::Empty);
  EXPECT_EQ(CallMember(o, "poke").Type(), VarType::Empty);
  EXPECT_EQ(g->pokes, 2);
  EXPECT_EQ(testing::RaisedNumber([&] { (void)GetMember(o, "Nope"); }), err::kNoSuchMember);
  EXPECT_EQ(testing::RaisedNumber([&] { LetMember(o, "Nope", Variant()); }), err::kNoSuchMember);
  EXPECT_EQ(testing::RaisedNumber([&] { (void)CallMember(o, "Nope"); }), err::kNoSuchMember);
  EXPECT_EQ(testing::RaisedNumber([&] { LetMember(o, "hwnd", Variant::Long(1)); }), err::kReadOnly);
  EXPECT_EQ(testing::RaisedNumber([&] { (void)GetMember(o, "Password"); }), err::kWriteOnly);
  EXPECT_EQ(testing::RaisedNumber([&] { (void)GetMember(nullptr, "Text"); }), err::kObjectNotSet);
  EXPECT_EQ(testing::RaisedNumber([&] { (void)o->Enumerate(); }), err::kNoSuchMember);
  // Arguments are taken by name first, then by position; omitted optionals take their default.
  EXPECT_EQ(CallMember(o, "Join", Args{Variant::Text("a"), Variant::Text("+"), Variant::Text("b")}).GetText(), "a+b");
  EXPECT_EQ(
      CallMember(o, "Join", Args().Named("Last", Variant::Text("z")).Named("first", Variant::Text("y"))).GetText(),
      "y-z");
  EXPECT_EQ(testing::RaisedNumber([&] { (void)CallMember(o, "Join", Args{Variant::Text("a")}); }),
            err::kArgumentNotOptional);
  EXPECT_EQ(
      CallMember(o, "Repeat", Args().Named("times", Variant::Text("3")).Named("Text", Variant::Text("ab"))).GetText(),
      "ababab");
  EXPECT_EQ(testing::RaisedNumber([&] { (void)CallMember(o, "Repeat", Args{Variant::Text("ab")}); }),
            err::kArgumentNotOptional);
  EXPECT_EQ(testing::RaisedNumber([&] {
              (void)CallMember(o, "Repeat", Args{Variant::Text("ab"), Variant::Text("x")});
            }),
            err::kTypeMismatch);
}

// The type inquiry reports the default value's type, or Object when the default needs an index.
TEST(LateBinding, DerivedTablesTypeInquiryAndTypedCast) {
  ObjectPtr o = std::make_shared<BigGadget>();
  EXPECT_EQ(std::tuple(GetMember(o, "Size").ToLong(), GetMember(o, "hwnd").ToLong()), std::tuple(3, 7));
  LetMember(o, "Text", Variant::Text("t"));
  EXPECT_EQ(GetMember(o, "Text").GetText(), "t");
  EXPECT_EQ(testing::RaisedNumber([&] { (void)GetMember(o, "Password"); }), err::kWriteOnly);
  EXPECT_EQ(testing::RaisedNumber([&] { LetMember(o, "Size", Variant::Integer(1)); }), err::kReadOnly);
  EXPECT_EQ(testing::RaisedNumber([&] { (void)GetMember(o, "Sizes"); }), err::kNoSuchMember);
  EXPECT_EQ(o->DefaultVarType(), VarType::String);
  EXPECT_EQ(std::make_shared<Group>()->DefaultVarType(), VarType::Object);
  EXPECT_NE(As<Gadget>(o), nullptr);
  EXPECT_EQ(testing::RaisedNumber([&] { (void)As<Group>(o); }), err::kTypeMismatch);
  EXPECT_EQ(As<Group>(nullptr), nullptr);
}

// A table of many members, some alike in their first letters, one longer than a folded word run.
class Wide : public LateBound<Wide> {
 public:
  std::string TypeName() const override { return "Wide"; }
  static const MemberTable<Wide>& Members() {
    static const auto number = [](Wide&, const Args& a) { return Variant::Long(a.Required(0, "N").ToLong()); };
    static const MemberTable<Wide> table{{"Item1", MemberKind::kMethod, number},
                                         {"Item2", MemberKind::kMethod, number},
                                         {"Item_3", MemberKind::kMethod, number},
                                         {"AdmissionDate", MemberKind::kMethod, number},
                                         {"AdmissionFee", MemberKind::kMethod, number},
                                         {"A", MemberKind::kMethod, number},
                                         {"ThisMemberNameIsLongerThanThirtyTwoBytes", MemberKind::kMethod, number},
                                         {"Count", MemberKind::kMethod, number},
                                         {"Index", MemberKind::kMethod, number},
                                         {"Key", MemberKind::kMethod, number},
                                         {"Text", MemberKind::kMethod, number},
                                         {"Selected", MemberKind::kMethod, number},
                                         {"EnsureVisible", MemberKind::kMethod, number},
                                         {"SmallIcon", MemberKind::kMethod, number}};
    return table;
  }
};

// Folding case must not let a control byte match the digit or '_' it folds onto ("\x11" | 0x20 is '1').
TEST(LateBinding, FindsNamesWithoutRegardToCaseOnly) {
  ObjectPtr o = std::make_shared<Wide>();
  for (const char* name : {"item1", "ITEM2", "item_3", "ADMISSIONfee", "a", "smallicon", "kEY", "SELECTED",
                           "thismembernameislongerthanthirtytwobytes"})
    EXPECT_EQ(CallMember(o, name, {Variant::Long(7)}).ToLong(), 7) << name;
  for (const char* name : {"Item\x11", "Item\1773", "Item", "Item12", "AdmissionDat", "", "Ke", "Selecte",
                           "ThisMemberNameIsLongerThanThirtyTwoBytez"})
    EXPECT_EQ(testing::RaisedNumber([&] { (void)GetMember(o, name); }), err::kNoSuchMember) << name;
}

// Argument lists longer than the few held inside keep every argument through copies and moves.
TEST(LateBinding, ArgumentListsOfAnyLength) {
  Args args{Variant::Long(1), Variant::Long(2), Variant::Long(3), Variant::Long(4)};
  args.Add(Variant::Long(5)).Named("x", Variant::Long(10)).Named("y", Variant::Long(11)).Named("z", Variant::Long(12));
  const Args copy = args;
  const Args moved = std::move(args);
  for (const Args* list : {&copy, &moved}) {
    ASSERT_EQ(list->PositionalCount(), 5u);
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(list->Required(i, "none").ToLong(), static_cast<int32_t>(i + 1));
    EXPECT_EQ(std::tuple(list->Required(0, "Z").ToLong(), list->Required(0, "x").ToLong()), std::tuple(12, 10));
  }
}

// A member's parameters bound in one pass answer as each found by name does: a name in any case
// before the position, the first of two arguments of one name, the position when no name matches,
// nothing when omitted.
TEST(LateBinding, ParametersBoundAtOnceAnswerAsFoundOneByOne) {
  Args args{Variant::Long(1), Variant::Long(2)};
  args.Named("TEXT", Variant::Text("first")).Named("text", Variant::Text("second")).Named("Other", Variant::Long(9));
  static constexpr std::array<Param, 4> kParams{{{0, "Index"}, {1, "Key"}, {2, "Text"}, {3, "Icon"}}};
  const auto bound = args.Bind(kParams);
  for (size_t i = 0; i < kParams.size(); ++i)
    EXPECT_EQ(bound[i], args.Find(kParams[i].position, kParams[i].name)) << kParams[i].name;
  EXPECT_EQ(bound[1]->ToLong(), 2);
  EXPECT_EQ(bound[2]->GetText(), "first");
  EXPECT_EQ(bound[3], nullptr);
}

// A list bound again for the same member, as a caller that refills its values does, answers with
// its values of now; an argument added since, another member's parameters and a copy bind anew.
TEST(LateBinding, ParametersBoundAgainFollowTheirList) {
  static constexpr std::array<Param, 2> kParams{{{0, "Key"}, {1, "Text"}}};
  static constexpr std::array<Param, 2> kSwapped{{{0, "Text"}, {1, "Key"}}};
  Args args;
  args.Named("Text", Variant::Text("a"));
  EXPECT_EQ(args.Bind(kParams)[0], nullptr);
  args.NamedValue(0) = Variant::Text("b");
  EXPECT_EQ(args.Bind(kParams)[1]->GetText(), "b");
  args.Add(Variant::Long(7));
  EXPECT_EQ(args.Bind(kParams)[0], args.Find(0, "Key"));
  args.Named("Key", Variant::Text("k"));
  EXPECT_EQ(args.Bind(kParams)[0]->GetText(), "k");
  EXPECT_EQ(args.Bind(kSwapped)[0]->GetText(), "b");
  (void)args.Bind(kParams);
  const Args copy = args;
  const auto bound = copy.Bind(kParams);
  EXPECT_EQ(std::pair(bound[0], bound[1]), std::pair(copy.Find(0, "Key"), copy.Find(1, "Text")));
}

// A gadget of a class with no table of its own that answers one name by hand before its base.
class HandGadget : public Gadget {
 public:
  Variant Get(std::string_view member, const Args& args = kNoArgs) override {
    if (member == "Text") return Variant::Text("by hand");
    return Gadget::Get(member, args);
  }
};

// A control that is not one of ours: it answers every name by hand and counts what it was asked.
class ForeignControl : public Object {
 public:
  std::string TypeName() const override { return "Foreign"; }
  Variant Get(std::string_view member, const Args&) override { return Variant::Text("get " + std::string(member)); }
  void Let(std::string_view member, const Variant& value, const Args&) override {
    asked = "let " + std::string(member) + " " + value.ToText();
  }
  Variant Call(std::string_view member, const Args&) override { return Variant::Text("call " + std::string(member)); }
  std::string asked;
};

// A name resolved once answers on every object as the name itself does: per class (one name on two
// classes finds each class's own member), through a class that answers by hand, on a control that
// is not ours, with the same errors, and after being copied.
TEST(LateBinding, ResolvedNamesAnswerAsTheirNamesDo) {
  const MemberRef hwnd("HWND"), text("Text"), nope("Nope"), poke("Poke");
  ObjectPtr gadget = std::make_shared<Gadget>(), big = std::make_shared<BigGadget>();
  EXPECT_EQ(GetMember(gadget, hwnd).ToLong(), 4242);
  EXPECT_EQ(GetMember(big, hwnd).ToLong(), 7);
  EXPECT_EQ(GetMember(gadget, hwnd).ToLong(), 4242);
  LetMember(big, text, Variant::Text("t"));
  EXPECT_EQ(GetMember(big, "Text").GetText(), "t");
  EXPECT_EQ(GetMember(std::make_shared<HandGadget>(), text).GetText(), "by hand");
  EXPECT_EQ(CallMember(gadget, poke).Type(), VarType::Empty);
  EXPECT_EQ(As<Gadget>(gadget)->pokes, 1);
  for (const ObjectPtr& o : {gadget, big}) {
    EXPECT_EQ(testing::RaisedNumber([&] { (void)GetMember(o, nope); }), err::kNoSuchMember);
    EXPECT_EQ(testing::RaisedNumber([&] { (void)CallMember(o, nope); }), err::kNoSuchMember);
    EXPECT_EQ(testing::RaisedNumber([&] { LetMember(o, nope, Variant()); }), err::kNoSuchMember);
    EXPECT_EQ(testing::RaisedNumber([&] { LetMember(o, poke, Variant()); }), err::kWriteOnly);
  }
  EXPECT_EQ(testing::RaisedNumber([&] { (void)GetMember(nullptr, text); }), err::kObjectNotSet);
  EXPECT_EQ(testing::RaisedNumber([&] { (void)CallMember(nullptr, poke); }), err::kObjectNotSet);
  EXPECT_EQ(testing::RaisedNumber([&] { LetMember(nullptr, hwnd, Variant()); }), err::kObjectNotSet);
  auto foreign = std::make_shared<ForeignControl>();
  const ObjectPtr control = foreign;
  EXPECT_EQ(GetMember(control, text).GetText(), "get Text");
  EXPECT_EQ(CallMember(control, poke).GetText(), "call Poke");
  LetMember(control, hwnd, Variant::Long(3));
  EXPECT_EQ(foreign->asked, "let HWND 3");
  // NOLINTNEXTLINE(performance-unnecessary-copy-initialization): the copy is what is tested
  const MemberRef copy = hwnd;
  EXPECT_EQ(std::tuple(copy.Name(), GetMember(big, copy).ToLong()), std::tuple("HWND", 7));
}

TEST(ClassRegistryTest, CreatesByIdentifierAndRestoresScopedRegistrations) {
  ScopedService<ClassRegistry> registry(std::make_shared<ClassRegistry>());
  registry->Register("KW_Test.Gadget", [] { return std::make_shared<Gadget>(); });
  EXPECT_EQ(CreateObject("kw_test.gadget")->TypeName(), "Gadget");
  EXPECT_EQ(testing::RaisedNumber([] { (void)CreateObject("KW_Test.Missing"); }), err::kCannotCreate);
  EXPECT_EQ(testing::RaisedNumber([] { (void)CreateObjectAs<Group>("KW_Test.Gadget"); }), err::kTypeMismatch);
  {
    ScopedRegistration swap("KW_Test.Gadget", [] { return std::make_shared<BigGadget>(); });
    EXPECT_EQ(CreateObject("KW_Test.Gadget")->TypeName(), "BigGadget");
    ScopedRegistration fresh("KW_Test.Fresh", [] { return std::make_shared<Group>(); });
    EXPECT_TRUE(registry->IsRegistered("KW_Test.Fresh"));
  }
  EXPECT_EQ(CreateObject("KW_Test.Gadget")->TypeName(), "Gadget");
  EXPECT_FALSE(registry->IsRegistered("KW_Test.Fresh"));
  registry->Register("KW_Test.Empty", [] { return ObjectPtr(); });
  EXPECT_EQ(testing::RaisedNumber([] { (void)CreateObject("KW_Test.Empty"); }), err::kCannotCreate);
}

}  // namespace
}  // namespace kw
