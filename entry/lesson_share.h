#pragma once

// The share view: the lesson on the projector handed to the pupils' devices
// as a link and its QR code, which opens the same lesson on the page. Both
// editions show it over the lesson (the key S, or the share button and the
// plot's menu) and close it with S again or Escape; what it says and the
// link it shows are written here once.

#include "controls/control_table.h"
#include "entry/lesson_link.h"

#include <string>
#include <string_view>

// The page's share button, where no control stands: below the choice of
// language on the landscape stage, and below "終　了" on the upright one.
inline constexpr Place kShareButtonPlace{868, 450, 144, 32};
inline constexpr Place kShareButtonPortrait{560, 948, 180, 32};

// The share button's caption and what a screen reader adds to it.
inline constexpr const char* kShareButtonCaption = "配る";
inline constexpr const char* kShareButtonDescription =
    "この曲線をリンクと QR コードにして、生徒の端末で開けるようにします（S キー）";
// The view's title and what a screen reader is told of it.
inline constexpr const char* kShareTitle = "この曲線を配る";
inline constexpr const char* kShareDescription =
    "QR コードを読み取るかリンクを開くと、生徒の端末で同じ曲線が開きます。S キーか Escape で閉じます";
// The view's buttons, and what is said once the link was copied or could
// not be.
inline constexpr const char* kShareCopy = "リンクをコピー";
inline constexpr const char* kShareCopied = "リンクをコピーしました";
inline constexpr const char* kShareCopyFailed = "リンクをコピーできませんでした。リンクを選んでコピーしてください";
inline constexpr const char* kShareSend = "ほかのアプリで送る";
inline constexpr const char* kShareClose = "閉じる";
// What a screen reader calls the field holding the link as text.
inline constexpr const char* kShareLink = "リンク";
// The desktop that does not know where the school serves the page: how to
// set it, and the part of the link a pupil types after the page's address.
inline constexpr const char* kShareNoPageAddress =
    "ページのアドレスが設定されていないため、QR コードは作れません。起動時の --page-url か、"
    "設定ファイルの page/url に学校のページのアドレスを設定してください。それまでは、ページの"
    "アドレスの後ろに次を入力すると、同じ曲線が開きます";

// The link to hand out: the page's address, without a fragment of its own,
// then "#" and the lesson's fragment. Empty where the page's address is
// unknown (empty), so that the view says how to set it instead.
std::string ShareAddress(std::string_view pageAddress, const LessonLink& lesson);
