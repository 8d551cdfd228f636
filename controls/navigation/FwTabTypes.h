#pragma once
// The look vocabulary of the tab control: which side the strip is on, the tab shape,
// the order tabs are laid out in, how the hot tab is shown, and how images and captions
// sit inside a tab.

namespace fw {

enum class TFwTabOrientation { toTop, toLeft, toBottom, toRight };
enum class TFwTabStyle { tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners, tsBackSlant };
enum class TFwTabSequence { tsStandard, tsReverse };
enum class TFwTabHotTrackStyle { htsTab, htsText };
enum class TFwHorizontalAlignment { haLeft, haCenter, haRight };
enum class TFwVerticalAlignment { vaTop, vaCenter, vaBottom };
enum class TFwImagePosition { ipLeft, ipTop, ipRight, ipBottom, ipBack, ipStretch };
// The state a caption colour is asked for.
enum class TFwTextStyle { tsHotTrack, tsSelected, tsUnselected, tsDisabledHighlight, tsDisabledShadow };

} // namespace fw
