#pragma once
// Components: persistent objects with an owner that frees them, a name
// unique among the owner's components, and free notification, by which a
// component learns that another it refers to is going away.
//
// Components are made with new and belong to their owner: deleting the
// owner deletes them. Deleting a component directly is also allowed; it
// leaves its owner and tells everyone who asked for a free notification.
// Create<T>(...) runs AfterConstruction once the most-derived object exists,
// so that virtual calls made there reach it.

#include <string>
#include <string_view>
#include <vector>

#include "platform/core/classes/persistent.h"

namespace platform {

enum TComponentStateFlag : unsigned {
  csLoading = 1u << 0,
  csReading = 1u << 1,
  csWriting = 1u << 2,
  csDestroying = 1u << 3,
  csDesigning = 1u << 4,
  csAncestor = 1u << 5,
  csUpdating = 1u << 6,
  csFreeNotification = 1u << 7,
};
using TComponentState = unsigned;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  // Runs after the most-derived constructor (see Create); nothing here.
  virtual void AfterConstruction() {}
  // Runs before any destructor when the component is freed with Free or
  // by its owner, while the whole object still stands.
  virtual void BeforeDestruction() {}

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  // Raises EComponentError for a name that is not an identifier or that
  // another component of the same owner has (case-insensitive).
  virtual void SetName(const std::string& NewName);
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int Index) const;
  int ComponentIndex() const;
  TComponent* FindComponent(std::string_view AName) const;
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Deletes the owned components, newest first.
  void DestroyComponents();

  TComponentState ComponentState() const { return state_; }
  bool HasState(TComponentStateFlag Flag) const { return (state_ & Flag) != 0; }
  void IncludeState(TComponentStateFlag Flag) { state_ |= Flag; }
  void ExcludeState(TComponentStateFlag Flag) { state_ &= ~static_cast<unsigned>(Flag); }
  // Marks this component and everything it owns as being destroyed.
  void Destroying();

  // AComponent is told (Notification with opRemove) when this one goes,
  // and this one when AComponent goes.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Clears csLoading; the class library calls it after loading.
  virtual void Loaded();

  std::intptr_t Tag = 0;

 protected:
  // Passed on to every owned component.
  virtual void Notification(TComponent* AComponent, TOperation Operation);

 private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void ForgetNotify(TComponent* AComponent);

  TComponent* owner_ = nullptr;
  std::string name_;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  TComponentState state_ = 0;
};

// Frees a component the way its owner does: BeforeDestruction, then delete.
void Free(TComponent* Component);

template <class T, class... Args>
T* Create(Args&&... ArgValues) {
  T* object = new T(std::forward<Args>(ArgValues)...);
  object->AfterConstruction();
  return object;
}

// A component list that holds components it does not own and drops each one
// that is freed.
class TComponentList : public TComponent {
 public:
  TComponentList() : TComponent(nullptr) {}
  int Count() const { return static_cast<int>(items_.size()); }
  TComponent* Items(int Index) const { return items_.at(static_cast<std::size_t>(Index)); }
  int Add(TComponent* AComponent);
  void Insert(int Index, TComponent* AComponent);
  int IndexOf(const TComponent* AComponent) const;
  void Delete(int Index);
  void Remove(TComponent* AComponent);
  std::function<void(TComponent*)> OnRemoved;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  std::vector<TComponent*> items_;
};

}  // namespace platform
