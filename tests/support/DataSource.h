// Another program's data object, as far as handlers and drop targets can tell:
// it offers exactly the blocks a test puts into it.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/ComObject.h"
#include "core/Data_Blocks.h"
#include "launcher/Data_Handler.h"
#include "launcher/Data_Object.h"

class DataSource {
 public:
  DataSource() : object_(new TDataObject) {}
  ~DataSource() { object_->Release(); }
  DataSource(const DataSource&) = delete;
  DataSource& operator=(const DataSource&) = delete;

  DataSource& Put(CLIPFORMAT format, const std::string& bytes) {
    FORMATETC f = ui::MakeFormatEtc(format);
    STGMEDIUM m = {};
    m.tymed = TYMED_HGLOBAL;
    m.hGlobal = ui::NewGlobalBlock(bytes);
    EXPECT_EQ(object_->SetData(&f, &m, TRUE), S_OK);
    return *this;
  }
  DataSource& Text(const std::string& text) { return Put(CF_TEXT, text + std::string(1, '\0')); }
  DataSource& Files(const std::vector<std::string>& paths) { return Put(CF_HDROP, datablock::BuildDropFiles(paths)); }
  IDataObject* get() { return object_; }

 private:
  TDataObject* object_;
};

// An IDropSource that drops at once: no button is held.
class ImmediateDropSource final : public core::TComObject<IDropSource> {
 public:
  STDMETHODIMP QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape) return DRAGDROP_S_CANCEL;
    return (keys & (MK_LBUTTON | MK_RBUTTON)) ? S_OK : DRAGDROP_S_DROP;
  }
  STDMETHODIMP GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

 private:
  ~ImmediateDropSource() override = default;
};
