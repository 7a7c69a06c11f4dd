// Late binding against a real virtual call doing the same work: Get and Let of a property by name,
// Call of a method with two positional and with two named arguments; and a list item's member that
// its base class declares against the same member declared by the item's class and against its
// typed getter.
#include <algorithm>
#include <memory>

#include "bench/ratio_reporter.h"
#include "widgets/list_items.h"

namespace bench {

// The typed face of the sample: what a caller that knows the class calls. It lives outside the
// anonymous namespace, so that the compiler cannot know all its implementations and call one
// directly (speculative guesses are switched off for this benchmark in its build).
class TypedAmount {
 public:
  virtual ~TypedAmount() = default;
  virtual kw::Variant Amount() const = 0;
  virtual void Amount(const kw::Variant& value) = 0;
  virtual kw::Variant Clamp(const kw::Variant& low, const kw::Variant& high) const = 0;
};

}  // namespace bench

namespace {
using bench::TypedAmount;

// A late-bound class with a table the size of a business object's (sixteen members).
class Sample final : public kw::LateBound<Sample>, public TypedAmount {
 public:
  std::string TypeName() const override { return "Sample"; }
  kw::Variant Amount() const override { return kw::Variant::Long(amount_); }
  void Amount(const kw::Variant& value) override { amount_ = value.ToLong(); }
  kw::Variant Clamp(const kw::Variant& low, const kw::Variant& high) const override {
    return kw::Variant::Long(std::clamp(amount_, low.ToLong(), high.ToLong()));
  }

  static const kw::MemberTable<Sample>& Members() {
    static const auto other = [](Sample& s, const kw::Args&) { return kw::Variant::Long(s.amount_ + 1); };
    using P = kw::MemberKind;
    static const kw::MemberTable<Sample> table{
        {"Amount", P::kProperty, [](Sample& s, const kw::Args&) { return s.Amount(); },
         [](Sample& s, const kw::Variant& v, const kw::Args&) { s.Amount(v); }},
        {"Clamp", P::kMethod,
         [](Sample& s, const kw::Args& a) { return s.Clamp(a.Required(0, "Low"), a.Required(1, "High")); }},
        {"Count", P::kProperty, other},
        {"Index", P::kProperty, other},
        {"Name", P::kProperty, other},
        {"Street", P::kProperty, other},
        {"City", P::kProperty, other},
        {"Phone", P::kProperty, other},
        {"Room", P::kProperty, other},
        {"Note", P::kProperty, other},
        {"BirthDate", P::kProperty, other},
        {"AdmissionDate", P::kProperty, other},
        {"MonthlyFee", P::kProperty, other},
        {"FamilyGroup", P::kProperty, other},
        {"Validate", P::kMethod, other},
        {"", P::kProperty, other},
    };
    return table;
  }

 private:
  int32_t amount_ = 7;
};

// The object as callers hold it; hidden from the optimiser so that no call is devirtualised (one
// register operand: the two-way constraint of DoNotOptimize is miscompiled by some compilers).
template <class T>
T* Opaque(T* object) {
  asm volatile("" : "+r"(object));
  return object;
}

void BM_GetByName(benchmark::State& state) {
  auto sample = std::make_shared<Sample>();
  auto* object = Opaque<kw::Object>(sample.get());
  for (auto _ : state) benchmark::DoNotOptimize(object->Get("amount"));
}
BENCHMARK(BM_GetByName);

void BM_GetVirtual(benchmark::State& state) {
  auto sample = std::make_shared<Sample>();
  auto* typed = Opaque<TypedAmount>(sample.get());
  for (auto _ : state) benchmark::DoNotOptimize(typed->Amount());
}
BENCHMARK(BM_GetVirtual);

void BM_LetByName(benchmark::State& state) {
  auto sample = std::make_shared<Sample>();
  auto* object = Opaque<kw::Object>(sample.get());
  const kw::Variant value = kw::Variant::Long(42);
  for (auto _ : state) object->Let("Amount", value);
  benchmark::DoNotOptimize(sample->Amount());
}
BENCHMARK(BM_LetByName);

void BM_LetVirtual(benchmark::State& state) {
  auto sample = std::make_shared<Sample>();
  auto* typed = Opaque<TypedAmount>(sample.get());
  const kw::Variant value = kw::Variant::Long(42);
  for (auto _ : state) typed->Amount(value);
  benchmark::DoNotOptimize(sample->Amount());
}
BENCHMARK(BM_LetVirtual);

void BM_CallPositional(benchmark::State& state) {
  auto sample = std::make_shared<Sample>();
  auto* object = Opaque<kw::Object>(sample.get());
  for (auto _ : state) benchmark::DoNotOptimize(object->Call("Clamp", {kw::Variant::Long(1), kw::Variant::Long(5)}));
}
BENCHMARK(BM_CallPositional);

void BM_CallNamed(benchmark::State& state) {
  auto sample = std::make_shared<Sample>();
  auto* object = Opaque<kw::Object>(sample.get());
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        object->Call("Clamp", kw::Args().Named("High", kw::Variant::Long(5)).Named("Low", kw::Variant::Long(1))));
  }
}
BENCHMARK(BM_CallNamed);

void BM_CallVirtual(benchmark::State& state) {
  auto sample = std::make_shared<Sample>();
  auto* typed = Opaque<TypedAmount>(sample.get());
  for (auto _ : state) benchmark::DoNotOptimize(typed->Clamp(kw::Variant::Long(1), kw::Variant::Long(5)));
}
BENCHMARK(BM_CallVirtual);

// A list item with a text longer than a small-string buffer, as list items hold.
template <class Item = kw::widgets::ListItem>
std::shared_ptr<Item> SampleItem() {
  return std::make_shared<Item>("K1017", "Resident number 1017 of the home", kw::Variant::Integer(1));
}

// A list item that declares `Key` itself, with the getter its base class gives it: the same
// member as an own one, so that the two differ only in the level that declares them.
class ItemOwningKey final : public kw::LateBound<ItemOwningKey, kw::widgets::ListItem> {
 public:
  using LateBound::LateBound;
  static const kw::MemberTable<ItemOwningKey>& Members() {
    static const kw::MemberTable<ItemOwningKey> table{
        {"Key", kw::MemberKind::kProperty,
         [](ItemOwningKey& i, const kw::Args&) { return kw::Variant::Text(i.Key()); }},
    };
    return table;
  }
};

void BM_ItemBaseMemberByName(benchmark::State& state) {
  auto item = SampleItem();
  auto* object = Opaque<kw::Object>(item.get());
  for (auto _ : state) benchmark::DoNotOptimize(object->Get("Key"));
}
BENCHMARK(BM_ItemBaseMemberByName);

void BM_ItemOwnMemberByName(benchmark::State& state) {
  auto item = SampleItem<ItemOwningKey>();
  auto* object = Opaque<kw::Object>(item.get());
  for (auto _ : state) benchmark::DoNotOptimize(object->Get("Key"));
}
BENCHMARK(BM_ItemOwnMemberByName);

void BM_ItemTypedGetter(benchmark::State& state) {
  auto item = SampleItem();
  kw::widgets::ListItem* typed = Opaque(item.get());
  for (auto _ : state) benchmark::DoNotOptimize(kw::Variant::Text(typed->Key()));
}
BENCHMARK(BM_ItemTypedGetter);

}  // namespace

int main(int argc, char** argv) {
  return bench::RunWithRatios(argc, argv, [](bench::RatioReporter& r) {
    r.Ratio("get_by_name_vs_virtual", "BM_GetByName", "BM_GetVirtual", 3);
    r.Ratio("let_by_name_vs_virtual", "BM_LetByName", "BM_LetVirtual", 3);
    r.Ratio("call_2_positional_vs_virtual", "BM_CallPositional", "BM_CallVirtual", 5);
    r.Ratio("call_2_named_vs_virtual", "BM_CallNamed", "BM_CallVirtual", 6);
    r.Ratio("item_base_member_vs_own_member", "BM_ItemBaseMemberByName", "BM_ItemOwnMemberByName", 1.2);
    r.Ratio("item_base_member_vs_typed_getter", "BM_ItemBaseMemberByName", "BM_ItemTypedGetter", 3);
  });
}
