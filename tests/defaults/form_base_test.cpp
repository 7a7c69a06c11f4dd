// The default form on the default siblings, a headless list view and text boxes: what a person does
// goes through the library, and the form and its SharedProcedures go when it is unloaded.
#include "ui_shared/defaults/form_base.h"

#include <gtest/gtest.h>

#include "tests/doubles/raised.h"
#include "ui_shared/defaults/default_siblings.h"
#include "ui_shared/defaults/memory_business_object.h"
#include "ui_shared/platform/screen.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/windows.h"
#include "widgets/list_text.h"
#include "widgets/list_view.h"
#include "widgets/text_box.h"

namespace kw {
namespace {

// The volunteers: a name that must be there, more than 40 hours asked about, and no removal of a
// volunteer who gives more than 20 hours.
std::shared_ptr<MemoryBusinessObject> MakeVolunteers() {
  auto volunteers = std::make_shared<MemoryBusinessObject>(
      "LIVolunteers", std::vector<FieldSpec>{{"Name"}, {"Hours", FieldKind::kWholeNumber}},
      std::vector<RuleSpec>{{.number = 9001,
                             .field = "Name",
                             .message = "A volunteer needs a name.",
                             .broken = [](const RecordValues& r) { return r.Blank("Name"); }},
                            {.number = 9002,
                             .kind = RuleKind::kQuestion,
                             .field = "Hours",
                             .message = "More than 40 hours a week?",
                             .broken = [](const RecordValues& r) { return r["Hours"].ToLong() > 40; }},
                            {.number = 9003,
                             .kind = RuleKind::kRemoval,
                             .message = "A volunteer who gives more than 20 hours stays on the list.",
                             .broken = [](const RecordValues& r) { return r["Hours"].ToLong() > 20; }}});
  volunteers->AddStored({"Ada Park", "12"});
  volunteers->AddStored({"Ben Okafor", "30"});
  volunteers->AddStored({"Chen Wei", "8"});
  return volunteers;
}

// The screen: the list and the two fields.
class VolunteersScreen : public FormBase {
 public:
  explicit VolunteersScreen(std::shared_ptr<MemoryBusinessObject> volunteers)
      : FormBase("Volunteers", volunteers), volunteers_(std::move(volunteers)) {}
  std::shared_ptr<widgets::ListView> list = std::make_shared<widgets::ListView>();
  std::shared_ptr<widgets::TextBox> name = widgets::TextBox::Make();
  std::shared_ptr<widgets::TextBox> hours = widgets::TextBox::Make();

 protected:
  void OnLoad() override {
    BindList(list);
    AddColumn("Name", "Name");
    AddColumn("Hours", "Hours");
    BindField(name, volunteers_->PositionOf("Name"));
    BindField(hours, volunteers_->PositionOf("Hours"));
  }

 private:
  std::shared_ptr<MemoryBusinessObject> volunteers_;
};

// A world of its own: a registry, screen and window table in force, the default siblings answering
// from the script, and the volunteers screen loaded and shown.
struct FormWorld {
  FormWorld() {
    kw::ActiveParams params;
    EXPECT_TRUE(screen->Activate(params));
  }
  std::string Shown() const { return widgets::ListText(*screen->list); }
  // The rule numbers of the dialogs shown so far.
  std::vector<int32_t> Dialogs() const {
    std::vector<int32_t> numbers;
    for (const FeedbackShowing& showing : siblings.desk->shown) numbers.push_back(showing.rule_number);
    return numbers;
  }

  ScopedService<ClassRegistry> registry{std::make_shared<ClassRegistry>()};
  ScopedService<Screen> screen_service{std::make_shared<Screen>()};
  ScopedService<WindowTable> windows{std::make_shared<WindowTable>()};
  DefaultSiblings siblings;
  std::shared_ptr<MemoryBusinessObject> volunteers = MakeVolunteers();
  LoadedForm<VolunteersScreen> screen = (siblings.Register(*registry), LoadForm<VolunteersScreen>(volunteers));
};

// The first activation builds the list from the records, the first row selected, its fields in
// the boxes; the container shows the title.
TEST(FormBaseTest, TheFirstActivationShowsTheRecords) {
  FormWorld w;
  EXPECT_EQ(w.Shown(),
            "  Name        Hours\n"
            "> Ada Park    12\n"
            "  Ben Okafor  30\n"
            "  Chen Wei    8\n");
  EXPECT_EQ(w.screen->name->Text(), "Ada Park");
  EXPECT_EQ(w.siblings.container->FormTitle(), "Volunteers");
}

// A click moves to the row's record; a field left empty is refused with the hard rule and keeps
// the focus; a click away is then refused too, and the selection stays.
TEST(FormBaseTest, ARefusedFieldKeepsThePersonOnTheRecord) {
  FormWorld w;
  ASSERT_TRUE(w.screen->ClickRow(2));
  EXPECT_EQ(w.screen->hours->Text(), "30");
  w.screen->hours->LoseFocus();
  EXPECT_FALSE(w.screen->Type(w.screen->name, ""));
  EXPECT_TRUE(w.screen->name->HasFocus());
  EXPECT_FALSE(w.screen->ClickRow(3)) << "left a record whose name is missing";
  EXPECT_EQ(w.Dialogs(), (std::vector<int32_t>{9001, 9001}));
  EXPECT_EQ(w.screen->SelectedRow(), w.screen->list->Entries().At(2));
}

// A question is asked when the field is left and the value kept when the person accepts; the save
// builds the list again from what is stored, the saved row selected, without asking again.
TEST(FormBaseTest, AnAcceptedQuestionIsKeptAndNotAskedAgainOnSave) {
  FormWorld w;
  w.siblings.desk->answers = {"0"};
  ASSERT_TRUE(w.screen->ClickRow(3));
  EXPECT_TRUE(w.screen->Type(w.screen->hours, "45"));
  EXPECT_TRUE(w.screen->Save());
  EXPECT_EQ(w.Dialogs(), std::vector<int32_t>{9002});
  EXPECT_EQ(w.Shown(),
            "  Name        Hours\n"
            "  Ada Park    12\n"
            "  Ben Okafor  30\n"
            "> Chen Wei    45\n");
  EXPECT_FALSE(w.volunteers->IsDirty());
}

// An added row shows its own text only; after its fields are typed and saved the list shows them.
// Undo drops a record never stored with its row, and brings back a stored one's values.
TEST(FormBaseTest, AddingSavingAndUndoing) {
  FormWorld w;
  ASSERT_TRUE(w.screen->AddRecord());
  EXPECT_EQ(w.Shown(),
            "  Name        Hours\n"
            "  Ada Park    12\n"
            "  Ben Okafor  30\n"
            "  Chen Wei    8\n"
            "> (new)\n");
  EXPECT_TRUE(w.screen->name->HasFocus());
  w.screen->UndoChanges();
  EXPECT_EQ(w.volunteers->Count(), 3);
  EXPECT_EQ(w.screen->list->Entries().Count(), 3) << "the dropped record's row stayed";
  ASSERT_TRUE(w.screen->AddRecord());
  EXPECT_TRUE(w.screen->Type(w.screen->name, "Dee Ray"));
  EXPECT_TRUE(w.screen->Type(w.screen->hours, "4"));
  EXPECT_TRUE(w.screen->Save());
  EXPECT_EQ(w.screen->list->SelectedListItem()->Text(), "Dee Ray");
  EXPECT_TRUE(w.screen->Type(w.screen->name, "Dee Rayburn"));
  w.screen->UndoChanges();
  EXPECT_EQ(w.screen->name->Text(), "Dee Ray");
  EXPECT_FALSE(w.volunteers->IsDirty());
}

// A removal is asked about (2185); declined it changes nothing, refused by a removal rule the
// person reads why (as a hard rule with the refusal's number) and the error goes to the log;
// accepted, the row and its record go and the next row is selected.
TEST(FormBaseTest, ARemovalIsAskedRefusedWithItsReasonOrDone) {
  FormWorld w;
  w.siblings.desk->answers = {"1", "0", "0", "0"};  // without a presenter every showing takes an answer
  EXPECT_FALSE(w.screen->RemoveRecord());
  ASSERT_TRUE(w.screen->ClickRow(2));
  EXPECT_FALSE(w.screen->RemoveRecord());
  ASSERT_EQ(w.siblings.desk->shown.size(), 3u);
  const FeedbackShowing& refusal = w.siblings.desk->shown[2];
  EXPECT_EQ(refusal.rule_type, kRuleHard);
  EXPECT_EQ(refusal.rule_number, 9003);
  EXPECT_EQ(refusal.message, "A volunteer who gives more than 20 hours stays on the list. Nothing was removed.");
  // The journal also holds the error 9 that each build of the list traps to end its columns.
  ASSERT_FALSE(w.siblings.journal->errors.empty());
  const Error& logged = w.siblings.journal->errors.back();
  EXPECT_EQ(logged.Number(), 9003);
  EXPECT_TRUE(logged.Description().starts_with("KW_UIShared.SharedProcedures.RemoveItem:40")) << logged.Description();
  EXPECT_EQ(w.volunteers->Count(), 3);
  ASSERT_TRUE(w.screen->ClickRow(3));
  EXPECT_TRUE(w.screen->RemoveRecord());
  EXPECT_EQ(w.Dialogs(), (std::vector<int32_t>{2185, 2185, 9003, 2185}));
  EXPECT_EQ(w.Shown(),
            "  Name        Hours\n"
            "  Ada Park    12\n"
            "> Ben Okafor  30\n");
}

// Removing every record, the last one included, empties the list and locks the boxes; with no row
// left a removal asks nothing.
TEST(FormBaseTest, RemovingTheLastRecordLeavesAnEmptyLockedScreen) {
  FormWorld w;
  ASSERT_TRUE(w.screen->ClickRow(2));
  ASSERT_TRUE(w.screen->Type(w.screen->hours, "10"));
  ASSERT_TRUE(w.screen->Save());
  w.siblings.desk->answers = {"0", "0", "0"};
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(w.screen->RemoveRecord()) << "removal " << i;
  EXPECT_EQ(w.volunteers->Count(), 0);
  EXPECT_EQ(w.Shown(), "  Name  Hours\n");
  EXPECT_TRUE(w.screen->name->Locked());
  EXPECT_EQ(w.screen->name->Text(), "");
  EXPECT_FALSE(w.screen->RemoveRecord());
  EXPECT_EQ(w.siblings.desk->shown.size(), 3u) << "asked about removing nothing";
}

// Without the library's classes registered, loading names the class id it could not create; a box
// that is not bound is named too.
TEST(FormBaseTest, WhatIsMissingIsNamed) {
  ScopedService<ClassRegistry> empty{std::make_shared<ClassRegistry>()};
  auto screen = std::make_shared<VolunteersScreen>(MakeVolunteers());
  const Error missing = testing::Raised([&] { screen->Load(); });
  EXPECT_EQ(missing.Number(), err::kCannotCreate);
  EXPECT_EQ(missing.Description(),
            "Component can't create object: no class is registered as \"KW_UIShared.SharedProcedures\"");
  FormWorld w;
  const Error unbound = testing::Raised([&] { w.screen->Type(widgets::TextBox::Make(), "x"); });
  EXPECT_EQ(unbound.Description(), "This TextBox is not bound to a field of \"Volunteers\".");
  EXPECT_EQ(testing::Raised([&] { w.screen->ClickRow(4); }).Description(),
            "\"Volunteers\" has no row 4; its list has 3.");
}

// The handle unloads the form: the form, its SharedProcedures and the records all go.
TEST(FormBaseTest, TheFormAndItsSharedProceduresGoWhenTheHandleGoes) {
  std::weak_ptr<VolunteersScreen> form;
  std::weak_ptr<SharedProcedures> shared;
  {
    FormWorld w;
    form = w.screen.Get();
    shared = std::static_pointer_cast<SharedProcedures>(w.screen->Shared().shared_from_this());
  }
  EXPECT_TRUE(form.expired());
  EXPECT_TRUE(shared.expired());
}

}  // namespace
}  // namespace kw
