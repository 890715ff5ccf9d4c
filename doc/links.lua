-- Links between the pages of the manual are written to the Markdown files
-- ("language.md#arrays"); the HTML manual links the HTML pages instead.
function Link(link)
  link.target = link.target:gsub("^([^:#]*)%.md(#?)", "%1.html%2")
  return link
end
