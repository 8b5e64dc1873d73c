#pragma once
// Registers text fields, tables and pictures with the archive.
void RegisterAnnotationClasses();
