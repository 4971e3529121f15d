#include "ui/Layout.h"

#include <algorithm>
#include <stdexcept>

#include "ui/Form.h"

namespace ui {

namespace {
std::string NameText(const char* name) { return name ? name : ""; }
}  // namespace

void FillCreateParams(TCreateParams& p, const TLayoutRow& row, const TLayoutPlace& place) {
  p.Caption = row.Caption ? row.Caption : "";
  p.X = place.X;
  p.Y = place.Y;
  p.Width = place.Width;
  p.Height = place.Height;
  p.Parent = place.Parent;
  p.Id = place.Id;
  p.Font = place.Font;
  p.Style = (p.Style & ~WS_POPUP) | WS_CHILD | row.Style;
  p.ExStyle |= row.ExStyle;
}

TLayout::~TLayout() { Clear(); }

void TLayout::Clear() {
  // The last made first: children before their containers.
  while (!entries_.empty()) entries_.pop_back();
}

void TLayout::MissingControl(std::string_view name) {
  throw std::logic_error("layout: no control named " + std::string(name) + " of that kind");
}

void TLayout::Build(TForm& form, std::span<const TLayoutRow> rows) {
  // The table is checked whole before anything is made.
  std::vector<std::string> names;
  for (const TEntry& e : entries_) names.push_back(e.Name);
  auto known = [&](const std::string& n) { return std::find(names.begin(), names.end(), n) != names.end(); };
  for (const TLayoutRow& row : rows) {
    std::string name = NameText(row.Name), parent = NameText(row.Parent);
    if (!row.Kind) throw std::logic_error("layout: the row " + name + " has no kind");
    if (name.empty()) throw std::logic_error("layout: a row without a name");
    if (known(name)) throw std::logic_error("layout: the name " + name + " is used twice");
    if (!parent.empty() && !known(parent))
      throw std::logic_error("layout: the row " + name + " names the parent " + parent + ", which no row above makes");
    names.push_back(name);
  }
  for (const TLayoutRow& row : rows) {
    std::string parentName = NameText(row.Parent);
    TWindow* parentControl = parentName.empty() ? nullptr : Find(parentName);
    TLayoutPlace place;
    place.Form = &form;
    place.ParentControl = parentControl;
    place.Parent = parentControl ? parentControl->Handle() : form.Handle();
    place.Id = nextId_++;
    place.X = form.Scale(row.X);
    place.Y = form.Scale(row.Y);
    place.Width = form.Scale(row.Width);
    place.Height = form.Scale(row.Height);
    place.Font = form.Font();
    std::unique_ptr<TWindow> control = row.Kind(row, place);
    if (!control || !control->Handle())
      throw std::runtime_error("layout: the control " + NameText(row.Name) + " could not be made");
    TEntry e;
    e.Name = NameText(row.Name);
    e.Parent = place.Parent;
    e.Anchors = row.Anchors;
    e.Bounds = control->Bounds();
    RECT client = {};
    GetClientRect(place.Parent, &client);
    e.ParentSize = {client.right, client.bottom};
    e.Control = std::move(control);
    entries_.push_back(std::move(e));
  }
}

TWindow* TLayout::Find(std::string_view name) const {
  for (const TEntry& e : entries_)
    if (e.Name == name) return e.Control.get();
  return nullptr;
}

std::string_view TLayout::NameOf(const TWindow* control) const {
  for (const TEntry& e : entries_)
    if (e.Control.get() == control) return e.Name;
  return {};
}

void TLayout::Realign() {
  for (const TEntry& e : entries_) {
    if (e.Anchors == (akLeft | akTop)) continue;
    HWND hwnd = e.Control->Handle();
    RECT client = {};
    if (!hwnd || !GetClientRect(e.Parent, &client)) continue;
    int dx = client.right - e.ParentSize.cx, dy = client.bottom - e.ParentSize.cy;
    int x = e.Bounds.left, y = e.Bounds.top;
    int w = e.Bounds.right - e.Bounds.left, h = e.Bounds.bottom - e.Bounds.top;
    auto follow = [](int& pos, int& size, int delta, bool nearEdge, bool farEdge) {
      if (nearEdge && farEdge) size += delta;
      else if (farEdge) pos += delta;
      else if (!nearEdge) pos += delta / 2;
      if (size < 0) size = 0;
    };
    follow(x, w, dx, e.Anchors & akLeft, e.Anchors & akRight);
    follow(y, h, dy, e.Anchors & akTop, e.Anchors & akBottom);
    SetWindowPos(hwnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace ui
