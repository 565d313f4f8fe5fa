#pragma once
// Where the published manifest lives: the maker's update server and the
// manifest's fixed path on it.
#include <string>

namespace vantrell {

// The update server. The environment variable VANTRELL_UPDATE_BASE_URL,
// when set and not empty, replaces it (a staging server, the tests).
inline constexpr const char* kUpdateBaseUrl = "http://update.vantrell.example";
inline constexpr const char* kUpdateBaseUrlVariable = "VANTRELL_UPDATE_BASE_URL";
inline constexpr const char* kManifestPath = "/download/quen_vantrell/update.xml";
// The server directory of the manifest, the delete list and the published files.
inline constexpr const char* kServerDirectory = "/download/quen_vantrell/";
// The manifest's file name, both on the server and in the program directory.
inline constexpr const char* kManifestFileName = "update.xml";
// The files the updater removes from the program directory, beside the manifest.
inline constexpr const char* kDeleteListFileName = "delete_list.xml";

// The base URL in use, without a trailing "/".
std::string UpdateBaseUrl();
// The base URL followed by the manifest's path.
std::string ManifestUrl();
// A file of the server directory, by its name as a manifest gives it ("/"
// between directories); every other character outside the URL's plain set
// is percent-encoded.
std::string ServerFileUrl(const std::string& name);

}  // namespace vantrell
