#include "errors.h"

#include <cerrno>

namespace glamora {

std::string systemErrorText(int errorNumber) {
  switch (errorNumber) {
    case ENOENT: return "ファイルが見つかりません";
    case EACCES:
    case EPERM: return "読み書きが許可されていません";
    case EISDIR: return "フォルダーです";
    case ENOTDIR: return "途中の名前がフォルダーではありません";
    case ELOOP: return "シンボリックリンクが多すぎます";
    case ENAMETOOLONG: return "名前が長すぎます";
    case EMFILE:
    case ENFILE: return "開いているファイルが多すぎます";
    case ENOMEM: return "メモリーが足りません";
    case EIO: return "読み書きのエラーです";
    case ENOSPC: return "ディスクに空きがありません";
    case EDQUOT: return "ディスクの割り当てを超えています";
    case EROFS: return "読み込み専用の場所です";
    case EFBIG:
    case EOVERFLOW: return "ファイルが大きすぎます";
    case ENXIO:
    case ENODEV: return "装置がありません";
    case EBUSY:
    case ETXTBSY: return "使用中です";
    case EAGAIN: return "今は使えません";
    case EINTR: return "中断されました";
    case EINVAL: return "正しくない指定です";
    default: return "システムエラー " + std::to_string(errorNumber);
  }
}

}  // namespace glamora
