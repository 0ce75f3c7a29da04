#pragma once
// Pictures of drawings in reports: the report writer asks for the picture of a
// DXF file, the drawing layer paints it.

// Installs the drawing renderer as the report writer's picture maker.
void InstallReportPictureMaker();
