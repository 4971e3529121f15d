#include "launcher/Multi_Drop_Source.h"

#include "launcher/Drop_Source.h"
#include "launcher/Multi_Data_Object.h"

TMultiDropSource::TMultiDropSource()
    : AllowedEffects(DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK),
      TransparentColor(GetSysColor(COLOR_WINDOW)) {}

TMultiDropSource::~TMultiDropSource() = default;

TStringList& TMultiDropSource::Contents() {
  if (!contents_) contents_ = std::make_unique<TStringList>();
  return *contents_;
}

std::string TMultiDropSource::ContentsText() const { return contents_ ? contents_->GetText() : std::string(); }

void TMultiDropSource::Execute() {
  auto* data = new TMultiDataObject;
  data->SetContents(ContentsText());
  auto* source = new TDropSource;
  source->AllowedEffects = AllowedEffects;
  source->DragImage = DragImage;
  source->TransparentColor = TransparentColor;
  RunDrag(*source, *data);
  // The platform holds its own references for as long as it needs them.
  source->Release();
  data->Release();
}

void TMultiDropSource::RunDrag(TDropSource& source, TMultiDataObject& data) { source.Execute(&data); }
