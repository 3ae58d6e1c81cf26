// tagsling-cli imgsize FILE: prints "W H", the picture's width and height
// read from its header, chosen by the extension (.gif, .jpg/.jpeg, .png).

#include <string>

#include "cli/Cli.h"
#include "cli/Encoding.h"
#include "texttools/ImageSize.h"
#include "texttools/Messages.h"

namespace tagsling::cli {

int RunImgsize(CliContext& ctx) {
  if (ctx.args.size() != 1) return ctx.Fail("usage: tagsling-cli imgsize FILE", kSyntaxError);
  const platform::WideText path = CliCodec().SjisToWide(ctx.args[0]);
  texttools::PictureKind kind = texttools::PictureKindOf(path);
  if (kind == texttools::PictureKind::kNone) return ctx.Fail(texttools::kMsgPictureSizeUnreadable);
  texttools::NativeFileSystem files;
  texttools::PictureSizeResult result = texttools::ReadPictureFileSize(files, path, kind);
  if (!result.size) return ctx.Fail(result.message);
  ctx.WriteLine(std::to_string(result.size->width) + " " + std::to_string(result.size->height));
  return kOk;
}

}  // namespace tagsling::cli
