#include "ShowReadData.h"

namespace kelvra {

void ShowReadData(ModuleData &md, SeriesDrawing &drawing, GraphView &view, Chart &chart)
{
	drawing.SetGraphTitles();
	chart.setRedrawSuspended(true);
	view.InitGraphParam(true);
	md.CalcMaxMin();
	view.FollowAxisY(kFalse);
	if (md.TrgMode != kFalse)
		drawing.DrawTrigLine(md.TrgMode);
	else
		view.SetAxesX(view.state().firstShown, view.state().lastShown);
	chart.setRedrawSuspended(false);
	drawing.GrDrawData2(1, md.DataCount);
	md.MeasFlag = kFalse;
}

} // namespace kelvra
