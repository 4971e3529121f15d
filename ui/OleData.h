// Blocks of OLE data exchange in global memory, for both programs' drop
// targets and data objects. Reads of data from another program go through
// ReadGlobalBlock, bounded by the block's own size, never by what its contents
// claim.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <string>

namespace ui {

// A FORMATETC for global memory with content aspect and index -1.
FORMATETC MakeFormatEtc(CLIPFORMAT format);

// The whole block of a global memory handle, however its contents claim to
// end. False when the handle cannot be locked.
bool ReadGlobalBlock(HGLOBAL block, std::string& out);
// New movable global memory holding bytes; null when none can be had.
HGLOBAL NewGlobalBlock(const std::string& bytes, UINT extraFlags = 0);
// Asks a data object for one format in global memory and copies the block out.
// The medium is released in every case. False when it gave no global memory.
bool GetGlobalData(IDataObject* data, CLIPFORMAT format, std::string& out);
// The same for a format record of the caller's (an index other than -1).
bool GetGlobalData(IDataObject* data, const FORMATETC& format, std::string& out);

}  // namespace ui
