#include "launcher/Data_Object.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "launcher/Text_Data_Handler.h"

namespace {

// Holds one COM reference and drops it at scope end.
template <class T>
class Ref {
 public:
  Ref() = default;
  explicit Ref(T* p) : p_(p) {}
  ~Ref() { if (p_) p_->Release(); }
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;
  T* operator->() const { return p_; }
  T* get() const { return p_; }
  T** out() { return &p_; }

 private:
  T* p_ = nullptr;
};

HGLOBAL Block(const std::string& bytes) { return ui::NewGlobalBlock(bytes); }

std::string BlockText(HGLOBAL h) {
  std::string s;
  EXPECT_TRUE(ui::ReadGlobalBlock(h, s));
  return s;
}

// A handler that reports each render, with data switched on and off by the test.
class StubHandler : public TDataHandler {
 public:
  explicit StubHandler(CLIPFORMAT f) { Formats.Add(ui::MakeFormatEtc(f)); }
  std::string GetText() const override { return "stub"; }
  bool Render(const FORMATETC&, STGMEDIUM& m) override {
    ++renders;
    m.tymed = TYMED_HGLOBAL;
    m.hGlobal = Block("stub");
    return true;
  }
  bool ReadFrom(IDataObject*) override { return false; }
  void SetHasData(bool v) { hasData_ = v; }
  int renders = 0;
};

TEST(FormatList, MatchingIgnoresDeviceAndIndexButNotMediumKind) {
  TFormatList list;
  list.Add(ui::MakeFormatEtc(CF_TEXT));
  FORMATETC other = ui::MakeFormatEtc(CF_TEXT);
  other.lindex = 5;
  DVTARGETDEVICE device = {};
  other.ptd = &device;
  EXPECT_TRUE(list.Contains(other));
  other.tymed = TYMED_ISTREAM;
  EXPECT_FALSE(list.Contains(other));
  other.tymed = TYMED_ISTREAM | TYMED_HGLOBAL;
  EXPECT_TRUE(list.Contains(other));
  FORMATETC icon = ui::MakeFormatEtc(CF_TEXT);
  icon.dwAspect = DVASPECT_ICON;
  EXPECT_FALSE(list.Contains(icon));
  EXPECT_FALSE(list.Contains(ui::MakeFormatEtc(CF_HDROP)));
  // Kept copies never point at a device the list does not own.
  list.Add(other);
  EXPECT_EQ(list.GetFormat(1).ptd, nullptr);
  EXPECT_EQ(list.GetFormat(7).cfFormat, 0);
}

TEST(EnumFormatEtc, NextSkipResetClone) {
  TFormatList list;
  for (CLIPFORMAT f : {CF_TEXT, CF_HDROP, CF_BITMAP}) list.Add(ui::MakeFormatEtc(f));
  Ref<IEnumFORMATETC> e(list.CreateEnumerator());
  ASSERT_NE(e.get(), nullptr);
  EXPECT_EQ(e->Skip(4), S_FALSE);
  EXPECT_EQ(e->Skip(3), S_OK);
  EXPECT_EQ(e->Reset(), S_OK);

  FORMATETC got[5] = {};
  ULONG fetched = 99;
  // Fewer than asked: S_FALSE, as IEnumFORMATETC requires.
  EXPECT_EQ(e->Next(5, got, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 3u);
  EXPECT_EQ(got[0].cfFormat, CF_TEXT);
  EXPECT_EQ(got[2].cfFormat, CF_BITMAP);
  EXPECT_EQ(e->Next(1, got, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);

  e->Reset();
  EXPECT_EQ(e->Next(1, got, nullptr), S_OK);
  EXPECT_EQ(e->Next(2, got, &fetched), S_OK);
  EXPECT_EQ(fetched, 2u);
  EXPECT_EQ(e->Next(2, got, nullptr), E_INVALIDARG);

  e->Reset();
  e->Skip(1);
  Ref<IEnumFORMATETC> clone;
  ASSERT_EQ(e->Clone(clone.out()), S_OK);
  ASSERT_EQ(clone->Next(1, got, nullptr), S_OK);
  EXPECT_EQ(got[0].cfFormat, CF_HDROP);
}

class DataObjectTest : public ::testing::Test {
 protected:
  DataObjectTest() : object_(new TDataObject) {}
  Ref<TDataObject> object_;
};

TEST_F(DataObjectTest, OffersAFormatOnlyWhileAHandlerHasData) {
  auto& text = static_cast<TTextDataHandler&>(object_->AddHandler(std::make_unique<TTextDataHandler>()));
  FORMATETC f = ui::MakeFormatEtc(CF_TEXT);
  EXPECT_EQ(object_->QueryGetData(&f), DV_E_FORMATETC);
  STGMEDIUM m;
  EXPECT_EQ(object_->GetData(&f, &m), DV_E_FORMATETC);
  text.Text = "表示";
  EXPECT_EQ(object_->QueryGetData(&f), S_OK);
  ASSERT_EQ(object_->GetData(&f, &m), S_OK);
  EXPECT_EQ(m.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
  EXPECT_EQ(BlockText(m.hGlobal), std::string("表示") + '\0');
  ReleaseStgMedium(&m);
  text.Enabled = false;
  EXPECT_EQ(object_->QueryGetData(&f), DV_E_FORMATETC);
  // GetDataHere renders nothing.
  text.Enabled = true;
  EXPECT_EQ(object_->GetDataHere(&f, &m), E_NOTIMPL);
}

TEST_F(DataObjectTest, EnumeratesOfferedFormatsForGetOnly) {
  auto& a = static_cast<StubHandler&>(object_->AddHandler(std::make_unique<StubHandler>(CF_TEXT)));
  object_->AddHandler(std::make_unique<StubHandler>(CF_HDROP));
  a.SetHasData(true);
  Ref<IEnumFORMATETC> e;
  EXPECT_EQ(object_->EnumFormatEtc(DATADIR_SET, e.out()), E_NOTIMPL);
  EXPECT_EQ(e.get(), nullptr);
  ASSERT_EQ(object_->EnumFormatEtc(DATADIR_GET, e.out()), S_OK);
  FORMATETC got[3];
  ULONG n = 0;
  EXPECT_EQ(e->Next(3, got, &n), S_FALSE);
  ASSERT_EQ(n, 1u);
  EXPECT_EQ(got[0].cfFormat, CF_TEXT);
}

TEST_F(DataObjectTest, SetDataReleasesThePreviousMediumAndSharesTheStoredOne) {
  const CLIPFORMAT custom = static_cast<CLIPFORMAT>(RegisterClipboardFormatA("QvTestCustom"));
  FORMATETC f = ui::MakeFormatEtc(custom);
  // A stream medium shows its release: the data object holds the only other reference.
  IStream* first = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &first), S_OK);
  first->AddRef();
  STGMEDIUM m1 = {};
  m1.tymed = TYMED_ISTREAM;
  m1.pstm = first;
  ASSERT_EQ(object_->SetData(&f, &m1, TRUE), S_OK);

  STGMEDIUM m2 = {};
  m2.tymed = TYMED_HGLOBAL;
  m2.hGlobal = Block("second");
  ASSERT_EQ(object_->SetData(&f, &m2, TRUE), S_OK);
  EXPECT_EQ(first->Release(), 0u);  // the data object let go of it

  STGMEDIUM out;
  ASSERT_EQ(object_->GetData(&f, &out), S_OK);
  EXPECT_EQ(out.hGlobal, m2.hGlobal);
  EXPECT_EQ(out.pUnkForRelease, static_cast<IUnknown*>(static_cast<IDataObject*>(object_.get())));
  ReleaseStgMedium(&out);  // releases the owner only; the block stays stored
  EXPECT_EQ(BlockText(m2.hGlobal), "second");

  Ref<IEnumFORMATETC> e;
  ASSERT_EQ(object_->EnumFormatEtc(DATADIR_GET, e.out()), S_OK);
  FORMATETC got[2];
  ULONG n = 0;
  e->Next(2, got, &n);
  EXPECT_EQ(n, 1u);  // one slot per format
}

TEST_F(DataObjectTest, SetDataWithoutReleaseKeepsItsOwnCopy) {
  FORMATETC f = ui::MakeFormatEtc(CF_TEXT);
  STGMEDIUM m = {};
  m.tymed = TYMED_HGLOBAL;
  m.hGlobal = Block(std::string("abc\0", 4));
  // A release owner that is this object must not keep it alive through its copy.
  m.pUnkForRelease = object_.get();
  ASSERT_EQ(object_->SetData(&f, &m, FALSE), S_OK);
  GlobalFree(m.hGlobal);
  STGMEDIUM out;
  ASSERT_EQ(object_->GetData(&f, &out), S_OK);
  EXPECT_EQ(BlockText(out.hGlobal), std::string("abc\0", 4));
  ReleaseStgMedium(&out);
  EXPECT_EQ(object_->AddRef(), 2u);
  object_->Release();
}

TEST_F(DataObjectTest, CopyRuleByMediumKind) {
  STGMEDIUM src = {};
  STGMEDIUM dst = {};
  src.tymed = TYMED_GDI;
  src.hBitmap = nullptr;
  EXPECT_EQ(object_->CopyMedium(src, dst, false), DV_E_TYMED);
  ASSERT_EQ(object_->CopyMedium(src, dst, true), S_OK);
  EXPECT_EQ(dst.pUnkForRelease, static_cast<IUnknown*>(static_cast<IDataObject*>(object_.get())));
  dst.pUnkForRelease->Release();
  src.tymed = TYMED_NULL;
  EXPECT_EQ(object_->CopyMedium(src, dst, true), DV_E_TYMED);
  src.tymed = TYMED_FILE;
  src.lpszFileName = const_cast<LPOLESTR>(L"C:\\x.dat");
  EXPECT_EQ(object_->CopyMedium(src, dst, false), DV_E_TYMED);
  ASSERT_EQ(object_->CopyMedium(src, dst, true), S_OK);
  EXPECT_EQ(dst.lpszFileName, src.lpszFileName);
  // Released by the receiver, it releases this object, never the file.
  EXPECT_EQ(dst.pUnkForRelease, static_cast<IUnknown*>(static_cast<IDataObject*>(object_.get())));
  dst.pUnkForRelease->Release();
}

TEST_F(DataObjectTest, CanonicalFormatAndAdviseWithoutHolder) {
  FORMATETC in = ui::MakeFormatEtc(CF_TEXT);
  DVTARGETDEVICE device = {};
  in.ptd = &device;
  FORMATETC out;
  EXPECT_EQ(object_->GetCanonicalFormatEtc(&in, &out), DATA_S_SAMEFORMATETC);
  EXPECT_EQ(out.ptd, nullptr);
  EXPECT_EQ(out.cfFormat, CF_TEXT);
  EXPECT_EQ(object_->DUnadvise(1), E_NOTIMPL);
  IEnumSTATDATA* e = reinterpret_cast<IEnumSTATDATA*>(1);
  EXPECT_EQ(object_->EnumDAdvise(&e), OLE_E_ADVISENOTSUPPORTED);
  EXPECT_EQ(e, nullptr);
}

// Counts the change notices it gets.
class CountingSink : public IAdviseSink {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IAdviseSink)) {
      *ppv = static_cast<IAdviseSink*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
  STDMETHODIMP_(void) OnDataChange(FORMATETC*, STGMEDIUM*) override { ++changes; }
  STDMETHODIMP_(void) OnViewChange(DWORD, LONG) override {}
  STDMETHODIMP_(void) OnRename(IMoniker*) override {}
  STDMETHODIMP_(void) OnSave() override {}
  STDMETHODIMP_(void) OnClose() override {}
  ULONG refs = 1;
  int changes = 0;
};

TEST_F(DataObjectTest, AdvisedSinksHearOfSetData) {
  CountingSink sink;
  FORMATETC f = ui::MakeFormatEtc(CF_TEXT);
  DWORD connection = 0;
  ASSERT_EQ(object_->DAdvise(&f, ADVF_NODATA, &sink, &connection), S_OK);
  STGMEDIUM m = {};
  m.tymed = TYMED_HGLOBAL;
  m.hGlobal = Block(std::string("x\0", 2));
  ASSERT_EQ(object_->SetData(&f, &m, TRUE), S_OK);
  EXPECT_EQ(sink.changes, 1);
  {
    Ref<IEnumSTATDATA> e;  // its snapshot holds the sink too
    EXPECT_EQ(object_->EnumDAdvise(e.out()), S_OK);
  }
  EXPECT_EQ(object_->DUnadvise(connection), S_OK);
  EXPECT_EQ(sink.refs, 1u);
}

}  // namespace
