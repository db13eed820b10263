// Placeholder so that a subsystem folder with no sources yet still builds.
