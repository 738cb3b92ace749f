begin
  x := 'a'; { note }
end.