// The screen the answers of docs/how-do-i.md work on: the volunteers of a home (a name that must be
// there, hours a week asked about beyond 40) in a list, with a text box for each field.
#pragma once

#include <iostream>
#include <memory>

#include "ui_shared/ui_shared.h"
#include "widgets/list_text.h"
#include "widgets/list_view.h"
#include "widgets/text_box.h"

// The volunteers, kept in memory.
class Volunteers : public kw::MemoryBusinessObject {
 public:
  Volunteers()
      : MemoryBusinessObject("LIVolunteers", {{"Name"}, {"Hours", kw::FieldKind::kWholeNumber}},
                             {{.number = 9001,
                               .field = "Name",
                               .message = "A volunteer needs a name.",
                               .broken = [](const kw::RecordValues& r) { return r.Blank("Name"); }},
                              {.number = 9002,
                               .kind = kw::RuleKind::kQuestion,
                               .field = "Hours",
                               .message = "More than 40 hours a week: is that right?",
                               .broken = [](const kw::RecordValues& r) { return r["Hours"].ToLong() > 40; }}}) {
    AddStored({"Ada Park", "12"});
    AddStored({"Ben Okafor", "30"});
  }
};

// The screen: the list, and a box for each field.
class VolunteersScreen : public kw::FormBase {
 public:
  explicit VolunteersScreen(std::shared_ptr<Volunteers> records)
      : FormBase("Volunteers", records), volunteers(std::move(records)) {}
  std::shared_ptr<Volunteers> volunteers;
  std::shared_ptr<kw::widgets::ListView> list = std::make_shared<kw::widgets::ListView>();
  std::shared_ptr<kw::widgets::TextBox> name = kw::widgets::TextBox::Make();
  std::shared_ptr<kw::widgets::TextBox> hours = kw::widgets::TextBox::Make();

 protected:
  void OnLoad() override {
    BindList(list);
    AddColumn("Name", "Name");
    AddColumn("Hours", "Hours a week");
    BindField(name, volunteers->PositionOf("Name"));
    BindField(hours, volunteers->PositionOf("Hours"));
  }
};

// Loads the screen and shows it, as a container would.
inline kw::LoadedForm<VolunteersScreen> ShowVolunteers() {
  auto screen = kw::LoadForm<VolunteersScreen>(std::make_shared<Volunteers>());
  kw::ActiveParams params;
  screen->Activate(params);
  return screen;
}

// Prints the screen's list as a person would see it.
inline void Show(VolunteersScreen& screen) { std::cout << kw::widgets::ListText(*screen.list) << "\n"; }
