// Pictures through the system's imaging component, which writes PNG.
#include <platform/picture.h>

#include <platform/system_api.h>
#include <wincodec.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Releases a COM interface when it goes.
template <typename T>
class Com {
 public:
  Com() = default;
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  ~Com() {
    if (p_ != nullptr) p_->Release();
  }
  T** operator&() { return &p_; }
  T* operator->() const { return p_; }
  T* get() const { return p_; }

 private:
  T* p_ = nullptr;
};

std::wstring Wide(LPCSTR utf8) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring out(size > 0 ? size - 1 : 0, L'\0');
  if (size > 1) MultiByteToWideChar(CP_UTF8, 0, utf8, -1, out.data(), size);
  return out;
}

// The bitmap's pixels as rows of blue, green and red bytes, top row first.
bool BgrRows(HBITMAP bitmap, UINT& width, UINT& height, std::vector<BYTE>& rows) {
  BITMAP info{};
  if (GetObjectA(bitmap, sizeof info, &info) == 0 || info.bmWidth <= 0 || info.bmHeight <= 0) {
    return false;
  }
  width = static_cast<UINT>(info.bmWidth);
  height = static_cast<UINT>(info.bmHeight);
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  format.bmiHeader.biWidth = info.bmWidth;
  format.bmiHeader.biHeight = -info.bmHeight;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  const HDC dc = CreateCompatibleDC(nullptr);
  const int got = GetDIBits(dc, bitmap, 0, height, pixels.data(), &format, DIB_RGB_COLORS);
  DeleteDC(dc);
  if (got != static_cast<int>(height)) return false;
  rows.clear();
  for (const std::uint32_t pixel : pixels) {
    rows.push_back(static_cast<BYTE>(pixel));
    rows.push_back(static_cast<BYTE>(pixel >> 8));
    rows.push_back(static_cast<BYTE>(pixel >> 16));
  }
  return true;
}

// Writes the rows as a PNG file through the imaging component.
bool EncodePng(const std::wstring& name, UINT width, UINT height, std::vector<BYTE>& rows) {
  Com<IWICImagingFactory> factory;
  Com<IWICStream> stream;
  Com<IWICBitmapEncoder> encoder;
  Com<IWICBitmapFrameEncode> frame;
  WICPixelFormatGUID pixel_format = GUID_WICPixelFormat24bppBGR;
  return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
         SUCCEEDED(factory->CreateStream(&stream)) &&
         SUCCEEDED(stream->InitializeFromFilename(name.c_str(), GENERIC_WRITE)) &&
         SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
         SUCCEEDED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) &&
         SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) &&
         SUCCEEDED(frame->Initialize(nullptr)) && SUCCEEDED(frame->SetSize(width, height)) &&
         SUCCEEDED(frame->SetPixelFormat(&pixel_format)) &&
         IsEqualGUID(pixel_format, GUID_WICPixelFormat24bppBGR) &&
         SUCCEEDED(
             frame->WritePixels(height, width * 3, static_cast<UINT>(rows.size()), rows.data())) &&
         SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

}  // namespace

BOOL SaveBitmapPicture(HBITMAP bitmap, LPCSTR path) {
  UINT width = 0;
  UINT height = 0;
  std::vector<BYTE> rows;
  if (path == nullptr || !BgrRows(bitmap, width, height, rows)) return FALSE;
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  const bool saved = EncodePng(Wide(path), width, height, rows);
  if (SUCCEEDED(com)) CoUninitialize();
  return saved ? TRUE : FALSE;
}
