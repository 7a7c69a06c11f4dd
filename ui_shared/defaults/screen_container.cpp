// The default screen container.
#include "ui_shared/defaults/screen_container.h"

namespace kw {

ScreenContainer::ScreenContainer() : main_window_(std::make_shared<ApplicationWindow>()) {}

int32_t ScreenContainer::ClassDependsOn(const Variant& class_number) {
  const auto it = class_parents_.find(class_number.ToInteger());
  return it == class_parents_.end() ? 0 : it->second;
}

Variant ScreenContainer::RemoveCommandButton(const std::string& key) { return Variant::Boolean(bar_.Remove(key)); }

Variant ScreenContainer::SetCommandButtonState(const std::string& key, bool enabled, int16_t value) {
  return Variant::Boolean(bar_.SetState(key, enabled, value));
}

Variant ScreenContainer::AddCommandButton(const PicturePtr& picture, const std::string& key, const ObjectPtr& target,
                                          int32_t style, const std::string& caption) {
  bar_.Add(CommandButton{key, caption, style, picture, target, true, 0});
  return Variant::Boolean(true);
}

Variant ScreenContainer::NavigateToForm(const Variant& form_key, ActiveParams& params) {
  Show(form_key.ToText(), params);
  return Variant::Boolean(true);
}

Variant ScreenContainer::LoadTrfType(int16_t trf_type) {
  loaded_trf_type_ = trf_type;
  return Variant::Boolean(true);
}

void ScreenContainer::OpenForm(const std::string& form_key) {
  ActiveParams params;
  Show(form_key, params);
}

void ScreenContainer::Show(const std::string& key, ActiveParams& params) {
  navigation_history_.push_back(key);
  current_form_key_ = key;
  if (navigator_) navigator_(key, params);
}

}  // namespace kw
