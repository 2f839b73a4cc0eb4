#include "errors.h"

#include <cerrno>

namespace glamora {

Message systemErrorText(int errorNumber) {
  switch (errorNumber) {
    case ENOENT: return Message("Message", "ファイルが見つかりません");
    case EACCES:
    case EPERM: return Message("Message", "読み書きが許可されていません");
    case EISDIR: return Message("Message", "フォルダーです");
    case ENOTDIR: return Message("Message", "途中の名前がフォルダーではありません");
    case ELOOP: return Message("Message", "シンボリックリンクが多すぎます");
    case ENAMETOOLONG: return Message("Message", "名前が長すぎます");
    case EMFILE:
    case ENFILE: return Message("Message", "開いているファイルが多すぎます");
    case ENOMEM: return Message("Message", "メモリーが足りません");
    case EIO: return Message("Message", "読み書きのエラーです");
    case ENOSPC: return Message("Message", "ディスクに空きがありません");
    case EDQUOT: return Message("Message", "ディスクの割り当てを超えています");
    case EROFS: return Message("Message", "読み込み専用の場所です");
    case EFBIG:
    case EOVERFLOW: return Message("Message", "ファイルが大きすぎます");
    case ENXIO:
    case ENODEV: return Message("Message", "装置がありません");
    case EBUSY:
    case ETXTBSY: return Message("Message", "使用中です");
    case EAGAIN: return Message("Message", "今は使えません");
    case EINTR: return Message("Message", "中断されました");
    case EINVAL: return Message("Message", "正しくない指定です");
    default: return Message("Message", "システムエラー %1", {Message::fixed(errorNumber)});
  }
}

}  // namespace glamora
