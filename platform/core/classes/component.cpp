#include "platform/core/classes/component.h"

#include <algorithm>
#include <cctype>

namespace platform {
namespace {

bool IsIdentifier(const std::string& S) {
  if (S.empty()) return false;
  const auto first = static_cast<unsigned char>(S[0]);
  if (!(std::isalpha(first) || first == '_')) return false;
  return std::all_of(S.begin(), S.end(), [](char C) {
    const auto u = static_cast<unsigned char>(C);
    return std::isalnum(u) || u == '_';
  });
}

}  // namespace

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Those who asked to be told, and those this one asked, forget it.
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    other->ForgetNotify(this);
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::SetName(const std::string& NewName) {
  if (NewName == name_) return;
  if (!NewName.empty() && !IsIdentifier(NewName)) {
    throw EComponentError("'" + NewName + "' is not a valid component name");
  }
  if (owner_ && !NewName.empty()) {
    TComponent* other = owner_->FindComponent(NewName);
    if (other && other != this) throw EComponentError("A component named " + NewName + " already exists");
  }
  name_ = NewName;
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return components_[static_cast<std::size_t>(Index)];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto it = std::find(owner_->components_.begin(), owner_->components_.end(), this);
  return it == owner_->components_.end() ? -1 : static_cast<int>(it - owner_->components_.begin());
}

TComponent* TComponent::FindComponent(std::string_view AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : components_) {
    if (SameText(c->name_, AName)) return c;
  }
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->owner_ == this) return;
  if (!AComponent->name_.empty() && FindComponent(AComponent->name_)) {
    throw EComponentError("A component named " + AComponent->name_ + " already exists");
  }
  if (AComponent->owner_) AComponent->owner_->RemoveComponent(AComponent);
  Insert(AComponent);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->owner_ != this) return;
  Notification(AComponent, opRemove);
  Remove(AComponent);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* c = components_.back();
    Remove(c);
    Free(c);
  }
}

void Free(TComponent* Component) {
  if (!Component) return;
  Component->BeforeDestruction();
  delete Component;
}

void TComponent::Destroying() {
  if (HasState(csDestroying)) return;
  IncludeState(csDestroying);
  for (TComponent* c : components_) c->Destroying();
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end()) {
    freeNotifies_.push_back(AComponent);
  }
  if (std::find(AComponent->freeNotifies_.begin(), AComponent->freeNotifies_.end(), this) ==
      AComponent->freeNotifies_.end()) {
    AComponent->freeNotifies_.push_back(this);
  }
  IncludeState(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  ForgetNotify(AComponent);
  AComponent->ForgetNotify(this);
}

void TComponent::Loaded() { ExcludeState(csLoading); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  // A handler may free components; walk a copy and skip the ones gone.
  const std::vector<TComponent*> owned = components_;
  for (TComponent* c : owned) {
    if (std::find(components_.begin(), components_.end(), c) != components_.end())
      c->Notification(AComponent, Operation);
  }
}

void TComponent::Insert(TComponent* AComponent) {
  components_.push_back(AComponent);
  AComponent->owner_ = this;
}

void TComponent::Remove(TComponent* AComponent) {
  std::erase(components_, AComponent);
  AComponent->owner_ = nullptr;
}

void TComponent::ForgetNotify(TComponent* AComponent) { std::erase(freeNotifies_, AComponent); }

int TComponentList::Add(TComponent* AComponent) {
  Insert(Count(), AComponent);
  return Count() - 1;
}

void TComponentList::Insert(int Index, TComponent* AComponent) {
  if (Index < 0 || Index > Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  items_.insert(items_.begin() + Index, AComponent);
  if (AComponent) AComponent->FreeNotification(this);
}

int TComponentList::IndexOf(const TComponent* AComponent) const {
  auto it = std::find(items_.begin(), items_.end(), AComponent);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TComponentList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  TComponent* c = items_[static_cast<std::size_t>(Index)];
  items_.erase(items_.begin() + Index);
  if (c && IndexOf(c) < 0) RemoveFreeNotification(c);
}

void TComponentList::Remove(TComponent* AComponent) {
  const int i = IndexOf(AComponent);
  if (i >= 0) Delete(i);
}

void TComponentList::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && IndexOf(AComponent) >= 0) {
    std::erase(items_, AComponent);
    if (OnRemoved) OnRemoved(AComponent);
  }
  TComponent::Notification(AComponent, Operation);
}

}  // namespace platform
