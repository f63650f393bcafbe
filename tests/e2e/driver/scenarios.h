// The scenarios: each a function that builds its scene, uses the program as a person would and
// checks what a person sees and what is left afterwards. main.cpp's table names them.
#pragma once

// scenarios_road.cpp
void RoadOfOneFont();
void Demo();
void DemoFolder();
// scenarios_shell.cpp
void TaskBarAndCloseBox();
void SecondStartAndRefusedClose();
