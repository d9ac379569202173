// OrvoCommon: path texts. No file is touched here; only the backslash separates and only
// the point starts an extension, and every search finds the last occurrence in the text.
#include "vocabulary/Failure.h"
#include "common/OrvoCommon.h"
#include "vocabulary/TextOps.h"

namespace orvo {

void OrvoCommon::GetPath(const std::string& pFullPath, std::string& oPath) const {
  std::string ignored;
  GetPath(pFullPath, oPath, ignored);
}

void OrvoCommon::GetPath(const std::string& pFullPath, std::string& oPath, std::string& oFile) const {
  std::string path = pFullPath;
  if (!path.empty() && path.back() == '\\') path.pop_back();  // one only
  std::size_t i = path.rfind('\\');
  if (i == std::string::npos) {
    oPath.clear();
    oFile = path;
  } else {
    oPath = path.substr(0, i + 1);
    oFile = path.substr(i + 1);
  }
}

std::string OrvoCommon::MakeFilePath(const std::string& pPath) const {
  std::string path = text::TrimSpaces(pPath);
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

std::string OrvoCommon::FilePath(const std::string& pFileName) const {
  return failure::BoxThenReturn(" in FilePath", std::string(), [&] { return text::UpToLast(pFileName, '\\'); });
}

std::string OrvoCommon::StripPath(const std::string& pFileName) const {
  return failure::BoxThenReturn(" in StripPath", std::string(), [&] { return text::AfterLast(pFileName, '\\'); });
}

std::string OrvoCommon::FilePart(const std::string& pFileName) const {
  return failure::BoxThenReturn(" in FilePart", std::string(), [&] { return text::BeforeLast(pFileName, '.'); });
}

std::string OrvoCommon::FileExtension(const std::string& pFileName) const {
  return failure::BoxThenReturn(" in FileExtension", std::string(), [&] { return text::AfterLast(pFileName, '.'); });
}

std::string OrvoCommon::StripFileExtension(const std::string& pFileName) const {
  return failure::QuietDefault(pFileName, [&] {
    return pFileName.rfind('.') == std::string::npos ? pFileName : text::BeforeLast(pFileName, '.');
  });
}

}  // namespace orvo
