// Placeholder so a folder with no sources yet still forms a library.
