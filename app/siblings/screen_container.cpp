// The reference screen container.
#include "app/siblings/screen_container.h"

namespace trf {

ScreenContainer::ScreenContainer() : main_window_(std::make_shared<trf::MainWindow>()) {}

int32_t ScreenContainer::ClassDependsOn(const kw::Variant& class_number) {
  const auto it = class_parents_.find(class_number.ToInteger());
  return it == class_parents_.end() ? 0 : it->second;
}

kw::Variant ScreenContainer::RemoveCommandButton(const std::string& key) {
  return kw::Variant::Boolean(bar_.Remove(key));
}

kw::Variant ScreenContainer::SetCommandButtonState(const std::string& key, bool enabled, int16_t value) {
  return kw::Variant::Boolean(bar_.SetState(key, enabled, value));
}

kw::Variant ScreenContainer::AddCommandButton(const kw::PicturePtr& picture, const std::string& key,
                                              const kw::ObjectPtr& target, int32_t style, const std::string& caption) {
  bar_.Add(CommandButton{key, caption, style, picture, target, true, 0});
  return kw::Variant::Boolean(true);
}

kw::Variant ScreenContainer::NavigateToForm(const kw::Variant& form_key, kw::ActiveParams& params) {
  Show(form_key.ToText(), params);
  return kw::Variant::Boolean(true);
}

kw::Variant ScreenContainer::LoadTrfType(int16_t trf_type) {
  loaded_trf_type_ = trf_type;
  return kw::Variant::Boolean(true);
}

void ScreenContainer::OpenForm(const std::string& form_key) {
  kw::ActiveParams params;
  Show(form_key, params);
}

void ScreenContainer::Show(const std::string& key, kw::ActiveParams& params) {
  navigation_history_.push_back(key);
  current_form_key_ = key;
  if (navigator_) navigator_(key, params);
}

}  // namespace trf
