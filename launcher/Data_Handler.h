// Shared pieces of OLE data exchange: lists of FORMATETC records with their
// matching rule, the format enumerator, and the base of the per-format data
// handlers that data objects and drop targets ask. Reads of data from another
// program go through ui::ReadGlobalBlock (ui/OleData.h), bounded by the block's
// own size.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <memory>
#include <string>
#include <vector>

#include "core/ComObject.h"
#include "ui/OleData.h"

// Two records match when their formats and aspects are equal and their medium
// kinds share one; target device and index are not compared.
bool FormatsMatch(const FORMATETC& a, const FORMATETC& b);

class TFormatList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  void Clear() { items_.clear(); }
  // A copy; all zero when there is no record at that index.
  FORMATETC GetFormat(int index) const;
  // Copies are kept without a target device: the list does not own one.
  void Add(const FORMATETC& format);
  void AddList(const TFormatList& other);
  int IndexOf(const FORMATETC& format) const;  // first match; -1 when none
  bool Contains(const FORMATETC& format) const { return IndexOf(format) >= 0; }
  // A new enumerator (one reference) over a snapshot of the records.
  IEnumFORMATETC* CreateEnumerator() const;

 private:
  std::vector<FORMATETC> items_;
};

class TEnumFormatEtc final : public core::TComObject<IEnumFORMATETC> {
 public:
  explicit TEnumFormatEtc(std::vector<FORMATETC> formats, ULONG position = 0);

  // S_OK only when all celt records were fetched, S_FALSE when fewer.
  STDMETHODIMP Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) override;
  // Moves only when celt records remain; S_FALSE (position kept) otherwise.
  STDMETHODIMP Skip(ULONG celt) override;
  STDMETHODIMP Reset() override;
  STDMETHODIMP Clone(IEnumFORMATETC** ppenum) override;

 private:
  ~TEnumFormatEtc() override = default;
  std::vector<FORMATETC> formats_;
  ULONG position_;
};

// One kind of data that the launcher writes and reads.
class TDataHandler {
 public:
  TDataHandler() = default;
  virtual ~TDataHandler() = default;
  TDataHandler(const TDataHandler&) = delete;
  TDataHandler& operator=(const TDataHandler&) = delete;

  // The handler's data as text.
  virtual std::string GetText() const = 0;
  // Writes its data into a new medium for the requested format; false when it cannot.
  virtual bool Render(const FORMATETC& format, STGMEDIUM& medium) = 0;
  // Reads its data from another program's data object.
  virtual bool ReadFrom(IDataObject* data) = 0;
  virtual bool HasData() const { return hasData_; }

  bool Enabled = true;
  TFormatList Formats;  // the formats it writes and reads
  DWORD Effect = DROPEFFECT_NONE;  // the drop effect its data asks for

 protected:
  bool hasData_ = false;
};
