#pragma once
// "关于VEL" and "使用说明": the texts of VEL文件\about.vel and help.vel, shown
// in a message box. The program reads these files and never writes them.
namespace vel {

void show_about();
void show_help();

}  // namespace vel
